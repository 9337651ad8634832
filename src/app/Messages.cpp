#include "Messages.h"

namespace Messages {

namespace {
Interceptor& interceptor()
{
    static Interceptor i;
    return i;
}
std::function<bool(const QString&)>& questionInterceptor()
{
    static std::function<bool(const QString&)> i;
    return i;
}
QString title() { return QStringLiteral("Corvane Audit"); }
} // namespace

void show(QMessageBox::Icon icon, const QString& text)
{
    if (interceptor()) {
        interceptor()(icon, text);
        return;
    }
    QMessageBox box(icon, title(), text, QMessageBox::Ok);
    box.exec();
}

void critical(const QString& text) { show(QMessageBox::Critical, text); }
void information(const QString& text) { show(QMessageBox::Information, text); }

bool question(const QString& text)
{
    if (questionInterceptor())
        return questionInterceptor()(text);
    QMessageBox box(QMessageBox::Question, title(), text, QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void setInterceptor(Interceptor i) { interceptor() = std::move(i); }
void setQuestionInterceptor(std::function<bool(const QString&)> i) { questionInterceptor() = std::move(i); }

} // namespace Messages
