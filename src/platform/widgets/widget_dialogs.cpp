#include "platform/widgets/widget_dialogs.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

#include "platform/cp1254.h"
#include "platform/qt/qt_text.h"

namespace velkar {

QString defaultBoxTitle() {
    return QStringLiteral("VELKAR");
}

QString qtFilter(const std::string& filter) {
    if (filter.empty()) return {};
    const QStringList parts = toQ(filter).split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        out << QStringLiteral("%1 (%2)").arg(parts[i], pattern);
    }
    return out.join(QStringLiteral(";;"));
}

MessageResult WidgetDialogs::message(const MessageRequest& r) {
    QMessageBox box(parent_);
    box.setWindowTitle(r.title.empty() ? defaultBoxTitle() : toQ(r.title));
    QString text = toQ(r.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(text);
    switch (r.icon) {
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case MessageIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MessageIcon::None:
            break;
    }
    if (r.buttons == MessageButtons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? MessageResult::Ok : MessageResult::Cancel;
}

FileDialogResult WidgetDialogs::chooseFile(const FileDialogRequest& r) {
    QFileDialog dlg(parent_, toQ(r.title));
    const QString filter = qtFilter(r.filter);
    QStringList filters;
    if (!filter.isEmpty()) {
        filters = filter.split(QStringLiteral(";;"));
        dlg.setNameFilters(filters);
        const int idx =
            r.filterIndex >= 1 && r.filterIndex <= filters.size() ? r.filterIndex - 1 : 0;
        dlg.selectNameFilter(filters[idx]);
    }
    QString folder = r.initialFolder.empty() ? QDir::currentPath() : pathToQ(r.initialFolder);
    QString name;
    if (!r.fileName.empty()) {
        const QFileInfo fi(pathToQ(r.fileName));
        if (fi.isAbsolute()) folder = fi.absolutePath();
        name = fi.fileName();
    }
    dlg.setDirectory(folder);
    if (!name.isEmpty()) dlg.selectFile(name);
    const bool askBeforeReplacing =
        r.mode == FileDialogMode::Save && (r.flags & kAskBeforeOverwrite);
    if (r.mode == FileDialogMode::Save) {
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        // The program asks its own question below, in its own words.
        dlg.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode((r.flags & kFileMustExist) ? QFileDialog::ExistingFile
                                                   : QFileDialog::AnyFile);
    }
    FileDialogResult result;
    QString chosen;
    for (;;) {
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return result;
        chosen = dlg.selectedFiles().first();
        // Answering Cancel to the question goes back to the file box, as Qt's own question does.
        if (!askBeforeReplacing || confirmReplace(*this, qToPath(chosen), r.title)) break;
    }
    result.path = qToPath(chosen);
    result.filterIndex =
        filters.isEmpty() ? 1 : static_cast<int>(filters.indexOf(dlg.selectedNameFilter())) + 1;
    if (result.filterIndex < 1) result.filterIndex = 1;
    // The folder of the chosen file becomes the current folder, which the
    // settings file records as the place the next file box starts in.
    QDir::setCurrent(QFileInfo(chosen).absolutePath());
    return result;
}

std::optional<std::string> WidgetDialogs::input(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, toQ(title), toQ(prompt), QLineEdit::Normal,
                                               toQ(defaultText), &ok);
    if (!ok) return std::nullopt;
    return fromQ(text);
}

bool DesktopProcessLauncher::startTextEditor(std::string& error) {
#ifdef _WIN32
    if (QProcess::startDetached(QStringLiteral("notepad.exe"), {})) return true;
#elif defined(__APPLE__)
    if (QProcess::startDetached(QStringLiteral("open"),
                                {QStringLiteral("-a"), QStringLiteral("TextEdit")}))
        return true;
#else
    static const char* const kEditors[] = {"gnome-text-editor", "gedit", "kate", "kwrite",
                                           "mousepad",          "pluma", "xed",  "featherpad",
                                           "leafpad",           "geany", "xedit"};
    for (const char* e : kEditors) {
        const QString exe = QStandardPaths::findExecutable(QString::fromLatin1(e));
        if (!exe.isEmpty() && QProcess::startDetached(exe, {})) return true;
    }
#endif
    error = cp1254(
        "Metin düzenleyici bulunamadı. Şunlardan birini kurunuz: gedit, kate, mousepad, "
        "pluma, xed, geany.");
    return false;
}

bool DesktopProcessLauncher::openWebPage(const std::string& url, std::string& error) {
    if (QDesktopServices::openUrl(QUrl(toQ(url)))) return true;
    error = cp1254("Web sayfası açılamadı: ") + url;
    return false;
}

}  // namespace velkar
