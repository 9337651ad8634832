// Feeds arbitrary bytes to the capture reader, as corvane-lock-sim --replay reads a file a
// technician sent. What it accepts is written again and reads back the same, and a replay of it
// answers its own requests with its own answers.

#include "model/CaptureFormat.h"
#include "sim/CaptureReplay.h"

#include <climits>
#include <cstdint>
#include <cstdlib>

using namespace capture;

static void Require(bool condition)
{
    if (!condition)
        abort();
}

static QByteArray Written(const Capture& c)
{
    QByteArray text = HeaderText(c.header);
    int baud = 0;
    bool dtr = false;
    qint64 last = 0;
    for (const Exchange& e : c.exchanges) {
        if (e.baud != baud || e.dtr != dtr || last == 0)
            text += LineSettingsLine(e.requestMs, e.baud, e.dtr);
        baud = e.baud, dtr = e.dtr;
        text += RequestLine(e.requestMs, e.request) + AnswerLine(e.answerMs, e.answer, e.answerBytes);
        last = qMax(e.requestMs, e.answerMs) + 1;
    }
    if (c.ended)
        text += EndLine(last, c.outcome, c.message);
    return text;
}

static bool Same(const Exchange& a, const Exchange& b)
{
    return a.request == b.request && a.baud == b.baud && a.dtr == b.dtr && a.answer == b.answer
        && a.answerBytes == b.answerBytes && a.requestMs == b.requestMs
        && (a.answer == Answer::Unknown || a.answerMs == b.answerMs);
}

// A header value written again loses what a line cannot hold.
static QString OneLine(QString value)
{
    return value.replace(QLatin1Char('\r'), QLatin1Char(' ')).trimmed();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(qMin(size, size_t(INT_MAX))));
    Capture c;
    QString error;
    if (!Parse(text, c, &error)) {
        Require(error.startsWith(QLatin1String("line ")));
        return 0;
    }

    Capture again;
    Require(Parse(Written(c), again, &error));
    Require(again.exchanges.size() == c.exchanges.size() && again.ended == c.ended && again.outcome == c.outcome
            && again.message == c.message && again.header.events == c.header.events);
    Require(again.header.program == OneLine(c.header.program) && again.header.operation == OneLine(c.header.operation));
    for (int i = 0; i < c.exchanges.size(); ++i)
        Require(Same(again.exchanges.at(i), c.exchanges.at(i)));

    CaptureReplay replay(c);
    for (const Exchange& e : c.exchanges) {
        const PtyServer::Reply reply = replay.reply(e.request, e.baud);
        const bool answered = e.answer == Answer::Bytes || e.answer == Answer::TooLong;
        Require(reply.bytes == (answered ? e.answerBytes : QByteArray()) && reply.hangUp == (e.answer == Answer::Lost)
                && reply.delayUs >= 0);
    }
    Require(replay.complete() && replay.difference().isEmpty());
    Require(replay.reply("\x01", 4800).bytes.isEmpty() && !replay.complete());
    return 0;
}
