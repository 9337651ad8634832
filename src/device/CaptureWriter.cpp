#include "CaptureWriter.h"

#include "SerialTransport.h"

#include <QCoreApplication>
#include <QDateTime>

QString CaptureWriter::ProgramText()
{
    const QString name = QCoreApplication::instance() ? QCoreApplication::applicationName() : QString();
    return (name.isEmpty() ? QStringLiteral("corvane-audit") : name) + QLatin1Char(' ') + QStringLiteral(CORVANE_VERSION);
}

bool CaptureWriter::open(const QString& path, capture::Header header, bool keepExisting, QString* error)
{
    m_file.setFileName(path);
    const QIODevice::OpenMode mode = QIODevice::WriteOnly | (keepExisting ? QIODevice::NewOnly : QIODevice::Truncate);
    if (!m_file.open(mode)) {
        *error = m_file.errorString();
        return false;
    }
    m_clock.start();
    if (header.program.isEmpty())
        header.program = ProgramText();
    header.started = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    write(capture::HeaderText(header));
    if (!m_failure.isEmpty()) {
        *error = m_failure;
        m_file.close();
        return false;
    }
    return true;
}

void CaptureWriter::write(const QByteArray& line)
{
    if (!m_file.isOpen() || !m_failure.isEmpty())
        return;
    if (m_file.write(line) != line.size() || !m_file.flush())
        m_failure = m_file.errorString();
}

void CaptureWriter::lineSettings(int baud, bool dtr)
{
    write(capture::LineSettingsLine(m_clock.elapsed(), baud, dtr));
}

void CaptureWriter::request(const unsigned char* bytes, int length)
{
    write(capture::RequestLine(m_clock.elapsed(), QByteArray(reinterpret_cast<const char*>(bytes), qMax(length, 0))));
}

void CaptureWriter::answer(long long result, const QByteArray& received)
{
    using capture::Answer;
    Answer answer = Answer::Bytes;
    if (result == 0)
        answer = Answer::Empty;
    else if (result == SendCommandNoAnswer)
        answer = Answer::Silent;
    else if (result == SendCommandShortWrite)
        answer = Answer::ShortWrite;
    else if (result == SendCommandAnswerTooLong)
        answer = Answer::TooLong;
    else if (result < 0)
        answer = Answer::Lost;
    write(capture::AnswerLine(m_clock.elapsed(), answer, received));
}

void CaptureWriter::end(const QString& outcome, const QString& message)
{
    write(capture::EndLine(m_clock.elapsed(), outcome, message));
}
