#include "view/Messages.h"

#include "model/DallasDecoder.h"

#include <QFileDialog>

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
std::function<QString(bool, const QString&)>& fileNameInterceptor()
{
    static std::function<QString(bool, const QString&)> i;
    return i;
}
QString title() { return QStringLiteral("Corvane Audit"); }
} // namespace

void showNotices(const QVector<DecodeNotice>& notices)
{
    for (DecodeNotice notice : notices)
        show(DecodeNoticeIsError(notice) ? QMessageBox::Critical : QMessageBox::Information, DecodeNoticeText(notice));
}

void show(QMessageBox::Icon icon, const QString& text, QWidget* parent)
{
    if (interceptor()) {
        interceptor()(icon, text);
        return;
    }
    QMessageBox box(icon, title(), text, QMessageBox::Ok, parent);
    box.exec();
}

void critical(const QString& text, QWidget* parent) { show(QMessageBox::Critical, text, parent); }
void information(const QString& text, QWidget* parent) { show(QMessageBox::Information, text, parent); }
void warning(const QString& text, QWidget* parent) { show(QMessageBox::Warning, text, parent); }

bool question(const QString& text, QWidget* parent)
{
    if (questionInterceptor())
        return questionInterceptor()(text);
    QMessageBox box(QMessageBox::Question, title(), text, QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

QString openFileName(const QString& filter, const QString& start)
{
    if (fileNameInterceptor())
        return fileNameInterceptor()(false, start);
    return QFileDialog::getOpenFileName(nullptr, QString(), start, filter);
}

QString saveFileName(const QString& filter, const QString& start)
{
    if (fileNameInterceptor())
        return fileNameInterceptor()(true, start);
    return QFileDialog::getSaveFileName(nullptr, QString(), start, filter);
}

void setFileNameInterceptor(std::function<QString(bool)> i)
{
    fileNameInterceptor() = [i](bool save, const QString&) { return i(save); };
}

void setFileNameInterceptor(std::function<QString(bool, const QString&)> i) { fileNameInterceptor() = std::move(i); }
void setFileNameInterceptor(std::nullptr_t) { fileNameInterceptor() = nullptr; }

void setInterceptor(Interceptor i) { interceptor() = std::move(i); }
void setQuestionInterceptor(std::function<bool(const QString&)> i) { questionInterceptor() = std::move(i); }

} // namespace Messages
