// Feeds the team's rules as they are typed and as the archive keeps them: opening hours texts and
// the findings' thresholds. Whatever is accepted writes back as text that reads back equal and
// answers for any time; whatever is refused says why and changes nothing.

#include "model/Findings.h"
#include "model/OpeningHours.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

static void Require(bool condition)
{
    if (!condition)
        abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(qMin(size, size_t(INT_MAX))));
    const QString text = QString::fromUtf8(bytes);

    OpeningHours hours = OpeningHours::Default();
    QString error;
    if (OpeningHours::Parse(text, &hours, &error)) {
        OpeningHours back;
        QString again;
        Require(OpeningHours::Parse(hours.toText(), &back, &again) && back == hours && back.toText() == hours.toText());
        for (int day = 1; day <= 7; ++day) {
            int end = 0;
            for (const OpeningHours::Range& r : hours.ranges(day)) {
                Require(r.start >= end && r.start < r.end && r.end <= 1440);
                end = r.end + 1; // neither overlapping nor touching
            }
        }
        // Times from the input's own bytes, the odd ones included.
        for (int i = 0; i + 8 <= bytes.size(); i += 8) {
            qint64 t = 0;
            memcpy(&t, bytes.constData() + i, sizeof t);
            hours.isOutside(t, { QDate(2025, 1, 1) });
        }
    } else {
        Require(!error.isEmpty() && hours == OpeningHours::Default());
    }

    for (Threshold which : { Threshold::WrongCodes, Threshold::ClockMinutes, Threshold::DoorMinutes, Threshold::VisitDays }) {
        FindingThresholds thresholds;
        const FindingThresholds before = thresholds;
        QString why;
        if (SetThreshold(&thresholds, which, text, &why)) {
            Require(thresholds.check().isEmpty());
            FindingThresholds back;
            Require(SetThreshold(&back, which, ThresholdText(thresholds, which), &why)
                    && ThresholdText(back, which) == ThresholdText(thresholds, which));
        } else {
            Require(!why.isEmpty() && thresholds == before);
        }
    }
    return 0;
}
