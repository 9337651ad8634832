#pragma once

// Fuzz input for the device operations: one byte choosing the operation, one parameter byte,
// then the answers to the exchanges in order, each as a 16-bit big-endian length and its bytes.
// Length 0xFFFF is an exchange left unanswered, 0xFFFE an answer too long for the buffer; the
// end of the input is a port that went away, which ends every operation.

#include "device/DeviceLink.h"

#include <QByteArray>

#include <algorithm>

enum class FuzzOperation : quint8 { ReadKey, WriteKey, Download, UsersLog, Count };

constexpr quint16 FuzzSilence = 0xFFFF;
constexpr quint16 FuzzTooLong = 0xFFFE;

inline QByteArray FuzzAnswer(const QByteArray& answer)
{
    QByteArray out;
    out.append(char(answer.size() >> 8)).append(char(answer.size() & 0xFF)).append(answer);
    return out;
}

inline QByteArray FuzzSilenceAnswer()
{
    return QByteArray("\xFF\xFF", 2);
}

class ScriptedLink : public DeviceLink
{
public:
    ScriptedLink(const quint8* data, size_t size) : m_data(data), m_size(size) {}

    LinkReply exchange(const QByteArray&, int capacity) override
    {
        ++m_exchanges;
        m_clockMs += 40;
        if (m_size - m_at < 2)
            return { LinkStatus::PortLost, QByteArray() };
        const quint16 length = quint16((m_data[m_at] << 8) | m_data[m_at + 1]);
        m_at += 2;
        if (length == FuzzSilence) {
            m_clockMs += 800;
            return { LinkStatus::NoAnswer, QByteArray() };
        }
        if (length == FuzzTooLong)
            return { LinkStatus::AnswerTooLong, QByteArray() };
        const size_t n = std::min<size_t>(length, m_size - m_at);
        const quint8* bytes = m_data + m_at;
        m_at += n;
        if (n > size_t(capacity))
            return { LinkStatus::AnswerTooLong, QByteArray() };
        return { LinkStatus::Answered, QByteArray(reinterpret_cast<const char*>(bytes), int(n)) };
    }
    qint64 elapsedMs() const override { return m_clockMs; }
    int exchanges() const { return m_exchanges; }

private:
    const quint8* m_data;
    size_t m_size;
    size_t m_at = 0;
    qint64 m_clockMs = 0;
    int m_exchanges = 0;
};
