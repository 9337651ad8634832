#include "SerialLink.h"

#include "CaptureWriter.h"
#include "SerialTransport.h"

SerialLink::SerialLink(QSerialPort* port, CaptureWriter* capture) : m_port(port), m_capture(capture)
{
    m_clock.start();
}

LinkStatus SerialLink::statusOf(long long result)
{
    if (result >= 0)
        return LinkStatus::Answered;
    switch (result) {
    case SendCommandShortWrite: return LinkStatus::ShortWrite;
    case SendCommandAnswerTooLong: return LinkStatus::AnswerTooLong;
    case SendCommandPortLost: return LinkStatus::PortLost;
    default: return LinkStatus::NoAnswer;
    }
}

LinkReply SerialLink::exchange(const QByteArray& request, int capacity)
{
    // SendCommand's own buffers: it may write the request's, and never past the answer's capacity.
    QByteArray out = request;
    QByteArray in(qMax(capacity, 0), '\0');
    auto* requestBytes = reinterpret_cast<unsigned char*>(out.data());
    auto* answerBytes = reinterpret_cast<unsigned char*>(in.data());
    long long result;
    if (m_capture) {
        m_capture->request(requestBytes, out.size());
        QByteArray received;
        result = SendCommand(m_port, requestBytes, out.size(), answerBytes, capacity, &received);
        m_capture->answer(result, received);
    } else {
        result = SendCommand(m_port, requestBytes, out.size(), answerBytes, capacity);
    }
    LinkReply reply { statusOf(result), QByteArray() };
    if (result >= 0)
        reply.answer = in.left(int(result));
    return reply;
}

qint64 SerialLink::elapsedMs() const
{
    return m_clock.elapsed();
}
