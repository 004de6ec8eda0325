#include "shell/ui/help_window.h"

#include <QFile>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"

// The guide is a resource of this static library: it must be registered by
// name (outside any namespace) before the first use.
static void registerHelpResource() {
    Q_INIT_RESOURCE(help);
}

namespace velkar::shell {

QString HelpWindow::guide(const std::filesystem::path& programFolder) {
    registerHelpResource();
    QFile file(QStringLiteral(":/velkar/yardim.html"));
    QString text = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    return text.replace(QStringLiteral("%PROGRAM_FOLDER%"), pathToQ(programFolder).toHtmlEscaped());
}

HelpWindow::HelpWindow(const std::filesystem::path& programFolder, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QString::fromUtf8("VELKAR Yardım"));
    setAttribute(Qt::WA_DeleteOnClose);
    page_ = new QTextBrowser(this);
    page_->setObjectName(QStringLiteral("HelpPage"));
    page_->setOpenExternalLinks(false);
    page_->setHtml(guide(programFolder));
    auto* close = new QPushButton(QStringLiteral("Kapat"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page_, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(640, 560);
}

}  // namespace velkar::shell
