#include "device/CaptureWriter.h"

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

void CaptureWriter::request(const QByteArray& bytes)
{
    write(capture::RequestLine(m_clock.elapsed(), bytes));
}

void CaptureWriter::answer(const LinkReply& reply)
{
    using capture::Answer;
    Answer answer = Answer::Lost;
    switch (reply.status) {
    case LinkStatus::Answered: answer = reply.answer.isEmpty() ? Answer::Empty : Answer::Bytes; break;
    case LinkStatus::NoAnswer: answer = Answer::Silent; break;
    case LinkStatus::ShortWrite: answer = Answer::ShortWrite; break;
    case LinkStatus::AnswerTooLong: answer = Answer::TooLong; break;
    case LinkStatus::PortLost: break;
    }
    write(capture::AnswerLine(m_clock.elapsed(), answer, reply.answer));
}

void CaptureWriter::end(const QString& outcome, const QString& message)
{
    write(capture::EndLine(m_clock.elapsed(), outcome, message));
}
