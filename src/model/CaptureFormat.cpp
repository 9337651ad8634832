#include "model/CaptureFormat.h"

#include "model/AuditRecords.h"

#include <QFile>

#include <algorithm>

namespace capture {

namespace {

const char* const Outcomes[] = { "done", "failed", "cancelled" };
constexpr int MaxDigits = 12;
constexpr qint64 MaxBaud = 10000000;

const char* AnswerWord(Answer answer)
{
    switch (answer) {
    case Answer::Empty: return "empty";
    case Answer::Silent: return "silent";
    case Answer::ShortWrite: return "short-write";
    case Answer::TooLong: return "too-long";
    case Answer::Lost: return "lost";
    case Answer::Bytes:
    case Answer::Unknown: break;
    }
    return nullptr;
}

// One line of text inside a line of the file: line ends would start a line of their own.
QByteArray OneLine(const QString& text)
{
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    return line.toUtf8();
}

QByteArray Hex(const QByteArray& bytes)
{
    return bytes.toHex(' ').toUpper();
}

bool Number(const QByteArray& word, qint64& value)
{
    if (word.isEmpty() || word.size() > MaxDigits)
        return false;
    for (char c : word)
        if (c < '0' || c > '9')
            return false;
    value = word.toLongLong();
    return true;
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The bytes of words[from..]; false with the reason when a word is not bytes in hex.
bool HexBytes(const QList<QByteArray>& words, int from, QByteArray& bytes, QString& why)
{
    for (int i = from; i < words.size(); ++i) {
        const QByteArray& word = words.at(i);
        for (char c : word)
            if (!IsHexDigit(c)) {
                why = QStringLiteral("not bytes in hex: \"%1\"").arg(QString::fromUtf8(word));
                return false;
            }
        if (word.size() % 2 != 0) {
            why = QStringLiteral("odd number of hex digits in \"%1\"").arg(QString::fromUtf8(word));
            return false;
        }
        bytes += QByteArray::fromHex(word);
    }
    return true;
}

} // namespace

QString HexText(const QByteArray& bytes)
{
    return QString::fromLatin1(Hex(bytes));
}

QByteArray HeaderText(const Header& header)
{
    QByteArray text = QByteArray(FirstLine) + '\n';
    text += "program " + OneLine(header.program) + '\n';
    text += "operation " + OneLine(header.operation) + '\n';
    if (header.events > 0)
        text += "events " + QByteArray::number(header.events) + '\n';
    if (!header.started.isEmpty())
        text += "started " + OneLine(header.started) + '\n';
    return text;
}

QByteArray LineSettingsLine(qint64 ms, int baud, bool dtr)
{
    return QByteArray::number(ms) + " line " + QByteArray::number(baud) + (dtr ? " dtr=on\n" : " dtr=off\n");
}

QByteArray RequestLine(qint64 ms, const QByteArray& request)
{
    return QByteArray::number(ms) + " > " + Hex(request) + '\n';
}

QByteArray AnswerLine(qint64 ms, Answer answer, const QByteArray& bytes)
{
    if (answer == Answer::Unknown)
        return QByteArray();
    QByteArray line = QByteArray::number(ms) + " < ";
    if (answer == Answer::Bytes)
        return line + Hex(bytes) + '\n';
    line += AnswerWord(answer);
    if (answer == Answer::TooLong && !bytes.isEmpty())
        line += ' ' + Hex(bytes);
    return line + '\n';
}

QByteArray EndLine(qint64 ms, const QString& outcome, const QString& message)
{
    QByteArray line = QByteArray::number(ms) + " end " + OneLine(outcome);
    if (!message.isEmpty())
        line += ' ' + OneLine(message);
    return line + '\n';
}

bool Parse(const QByteArray& text, Capture& capture, QString* error)
{
    capture = Capture();
    int number = 1;
    const auto fail = [&](const QString& why) {
        *error = QStringLiteral("line %1: %2").arg(number).arg(why);
        return false;
    };
    const QList<QByteArray> lines = text.split('\n');
    const QString notACapture = QStringLiteral("not a capture: it must begin with \"%1\"").arg(QLatin1String(FirstLine));
    bool inHeader = true;
    bool haveSettings = false;
    int baud = 0;
    bool dtr = false;
    qint64 lastMs = 0;
    int pending = -1; // the exchange still waiting for its answer
    QVector<QByteArray> seen;
    for (int i = 0; i < lines.size(); ++i) {
        number = i + 1;
        QByteArray line = lines.at(i);
        if (i + 1 == lines.size()) {
            if (i == 0 && line != FirstLine)
                return fail(notACapture);
            if (!line.isEmpty())
                return fail(QStringLiteral("cut short: it has no line end"));
            number = i; // the last line there is
            break;
        }
        // Text only: a NUL would also cut the line short as a string.
        if (line.contains('\0'))
            return fail(QStringLiteral("not text: it holds a NUL byte"));
        if (line.endsWith('\r'))
            line.chop(1);
        if (i == 0) {
            if (line != FirstLine)
                return fail(notACapture);
            continue;
        }
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;

        const bool eventLine = line.at(0) >= '0' && line.at(0) <= '9';
        if (!eventLine && !inHeader)
            return fail(QStringLiteral("not an event: an event line starts with its time in milliseconds"));
        if (!eventLine) {
            const int space = line.indexOf(' ');
            const QByteArray key = line.left(space);
            const QString value = space < 0 ? QString() : QString::fromUtf8(line.mid(space + 1)).trimmed();
            if (value.isEmpty())
                return fail(QStringLiteral("a header line is a word, a space and its value"));
            if (seen.contains(key))
                return fail(QStringLiteral("a second \"%1\" line").arg(QString::fromUtf8(key)));
            seen.append(key);
            qint64 events = 0;
            if (key == "program")
                capture.header.program = value;
            else if (key == "operation")
                capture.header.operation = value;
            else if (key == "started")
                capture.header.started = value;
            else if (key == "events") {
                if (!Number(value.toLatin1(), events) || events < 1 || events > AuditSession::BusDownloadLimit)
                    return fail(QStringLiteral("events must be 1..%1").arg(AuditSession::BusDownloadLimit));
                capture.header.events = int(events);
            } else
                return fail(QStringLiteral("unknown header line \"%1\"").arg(QString::fromUtf8(key)));
            continue;
        }

        if (inHeader) {
            if (capture.header.program.isEmpty() || capture.header.operation.isEmpty())
                return fail(QStringLiteral("the header needs a program line and an operation line"));
            inHeader = false;
        }
        if (capture.ended)
            return fail(QStringLiteral("nothing may follow the end line"));
        const QList<QByteArray> words = line.simplified().split(' ');
        qint64 ms = 0;
        if (!Number(words.at(0), ms))
            return fail(QStringLiteral("the time must be a number of milliseconds: \"%1\"").arg(QString::fromUtf8(words.at(0))));
        if (ms < lastMs)
            return fail(QStringLiteral("the time goes back"));
        lastMs = ms;
        const QByteArray kind = words.value(1);
        QString why;

        if (kind == "line") {
            qint64 speed = 0;
            if (words.size() != 4 || !Number(words.at(2), speed) || speed < 1 || speed > MaxBaud
                || (words.at(3) != "dtr=on" && words.at(3) != "dtr=off"))
                return fail(QStringLiteral("line settings are \"line BAUD dtr=on|off\""));
            if (pending >= 0)
                return fail(QStringLiteral("line settings inside an exchange"));
            haveSettings = true;
            baud = int(speed);
            dtr = words.at(3) == "dtr=on";
        } else if (kind == ">") {
            if (pending >= 0)
                return fail(QStringLiteral("a request before the answer to line %1").arg(capture.exchanges.at(pending).line));
            if (!haveSettings)
                return fail(QStringLiteral("a request before the line settings"));
            Exchange e;
            e.line = number;
            e.requestMs = ms;
            e.baud = baud;
            e.dtr = dtr;
            if (!HexBytes(words, 2, e.request, why))
                return fail(why);
            if (e.request.isEmpty())
                return fail(QStringLiteral("a request without bytes"));
            pending = capture.exchanges.size();
            capture.exchanges.append(e);
        } else if (kind == "<") {
            if (pending < 0)
                return fail(QStringLiteral("an answer without its request"));
            Exchange& e = capture.exchanges[pending];
            e.answerMs = ms;
            const QByteArray word = words.value(2);
            Answer answer = Answer::Bytes;
            for (Answer a : { Answer::Empty, Answer::Silent, Answer::ShortWrite, Answer::TooLong, Answer::Lost })
                if (word == AnswerWord(a))
                    answer = a;
            e.answer = answer;
            if (answer == Answer::Bytes || answer == Answer::TooLong) {
                if (!HexBytes(words, answer == Answer::Bytes ? 2 : 3, e.answerBytes, why))
                    return fail(why);
                if (answer == Answer::Bytes && e.answerBytes.isEmpty())
                    return fail(QStringLiteral("an answer without bytes (\"empty\" or \"silent\" say so)"));
            } else if (words.size() != 3) {
                return fail(QStringLiteral("nothing follows \"%1\"").arg(QString::fromLatin1(word)));
            }
            pending = -1;
        } else if (kind == "end") {
            if (pending >= 0)
                return fail(QStringLiteral("the end inside an exchange"));
            const QByteArray outcome = words.value(2);
            if (std::find(std::begin(Outcomes), std::end(Outcomes), outcome) == std::end(Outcomes))
                return fail(QStringLiteral("the end is done, failed or cancelled"));
            capture.ended = true;
            capture.outcome = QString::fromLatin1(outcome);
            capture.message = QString::fromUtf8(words.mid(3).join(' '));
        } else {
            return fail(QStringLiteral("unknown event \"%1\"").arg(QString::fromUtf8(kind)));
        }
    }
    if (inHeader && (capture.header.program.isEmpty() || capture.header.operation.isEmpty()))
        return fail(QStringLiteral("the header needs a program line and an operation line"));
    return true;
}

bool Load(const QString& path, Capture& capture, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > MaxFileSize) {
        *error = QStringLiteral("%1: too large to be a capture").arg(path);
        return false;
    }
    QString why;
    if (!Parse(file.read(MaxFileSize), capture, &why)) {
        *error = QStringLiteral("%1: %2").arg(path, why);
        return false;
    }
    return true;
}

} // namespace capture
