#pragma once

#include "model/AuditRecords.h"

#include <QMessageBox>
#include <QVector>

#include <functional>

// Every message and prompt the user sees: a box titled "Corvane Audit" with one OK button. A box
// about the window itself has the window as parent, so that it is centred on it and never
// behind it; the workers' messages have none. Tests (and batch tools) may take the messages
// instead of showing them.
namespace Messages {

using Interceptor = std::function<void(QMessageBox::Icon icon, const QString& text)>;

void critical(const QString& text, QWidget* parent = nullptr);
void information(const QString& text, QWidget* parent = nullptr);
void warning(const QString& text, QWidget* parent = nullptr);
void show(QMessageBox::Icon icon, const QString& text, QWidget* parent = nullptr);
// What decoding an audit had to say, each an error or a note.
void showNotices(const QVector<DecodeNotice>& notices);

// Asks a Yes/No question; true for Yes.
bool question(const QString& text, QWidget* parent = nullptr);

// The platform's modal file dialogs; empty on cancel. `start`: the folder the open dialog shows,
// or the folder and name the save dialog proposes.
QString openFileName(const QString& filter, const QString& start = QString());
QString saveFileName(const QString& filter, const QString& start = QString());

void setInterceptor(Interceptor interceptor);
// Answers file dialogs without showing them while set (the bool tells a save from an open).
void setFileNameInterceptor(std::function<QString(bool save)> interceptor);
// The same, told what the dialog would have started with.
void setFileNameInterceptor(std::function<QString(bool save, const QString& start)> interceptor);
void setFileNameInterceptor(std::nullptr_t);
// Answers questions without asking while set.
void setQuestionInterceptor(std::function<bool(const QString&)> interceptor);

} // namespace Messages
