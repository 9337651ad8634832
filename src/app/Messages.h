#pragma once

#include <QMessageBox>
#include <functional>

// Every message the user sees: a box titled "Corvane Audit" with one OK button and no parent.
// Tests (and batch tools) may take the messages instead of showing them.
namespace Messages {

using Interceptor = std::function<void(QMessageBox::Icon icon, const QString& text)>;

void critical(const QString& text);
void information(const QString& text);
void show(QMessageBox::Icon icon, const QString& text);

// Asks a Yes/No question; true for Yes.
bool question(const QString& text);

void setInterceptor(Interceptor interceptor);
// Answers questions without asking while set.
void setQuestionInterceptor(std::function<bool(const QString&)> interceptor);

} // namespace Messages
