#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// Captures: what the program said to a lock and what it heard back, one line per event, as
// docs/capture-format.md describes them. The serial link writes them; the simulator replays
// them, and the tests run the field's captures as they were.
namespace capture {

constexpr char FirstLine[] = "corvane-capture 1";
// A capture is read whole; the download of a full audit makes well under a megabyte.
constexpr qint64 MaxFileSize = 32 * 1024 * 1024;

// What became of a request, as the serial link saw it.
enum class Answer {
    Bytes,      // an answer, all its bytes
    Empty,      // an answer announced, with no bytes
    Silent,     // nothing came within the wait for a first byte
    ShortWrite, // the port took only part of the request
    TooLong,    // more than the answer buffer holds; the bytes are those read before it overflowed
    Lost,       // the port failed for good (the interface unplugged)
    Unknown     // the capture ends before the answer: a crash, or the cable pulled
};

struct Header
{
    QString program;   // name and version of the program that wrote it
    QString operation; // read-key, write-key, download or users-log
    int events = 0;    // a download's number of events; 0 for the other operations
    QString started;   // local date and time, for the technician's report
};

struct Exchange
{
    int line = 0; // of the request in the file
    qint64 requestMs = 0;
    QByteArray request;
    int baud = 0; // the line settings in force
    bool dtr = false;
    Answer answer = Answer::Unknown;
    QByteArray answerBytes;
    qint64 answerMs = 0;
};

struct Capture
{
    Header header;
    QVector<Exchange> exchanges;
    bool ended = false; // the operation's end is written
    QString outcome;    // done, failed or cancelled
    QString message;    // what the operation told the user
};

// The lines a capture is made of, each with its line end. `ms` counts from the capture's start.
QByteArray HeaderText(const Header& header);
QByteArray LineSettingsLine(qint64 ms, int baud, bool dtr);
QByteArray RequestLine(qint64 ms, const QByteArray& request);
QByteArray AnswerLine(qint64 ms, Answer answer, const QByteArray& bytes);
QByteArray EndLine(qint64 ms, const QString& outcome, const QString& message);

// Reads a capture. False, with "line N: why", when the text is not one.
bool Parse(const QByteArray& text, Capture& capture, QString* error);

// Reads and parses the file at `path`; false, with the reason, when it cannot.
bool Load(const QString& path, Capture& capture, QString* error);

// Bytes as a capture shows them: "7E 04 A4 91".
QString HexText(const QByteArray& bytes);

} // namespace capture
