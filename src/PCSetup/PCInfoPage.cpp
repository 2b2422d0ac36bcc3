#include "PCSetup/PCInfoPage.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

constexpr qint64 MEGABYTE = 1024 * 1024;

QString ExistingFolder(QString path)
{
    while (!path.isEmpty() && !QFileInfo::exists(path)) {
        const QString parent = QFileInfo(path).absolutePath();
        if (parent == path)
            break;
        path = parent;
    }
    return path;
}

}  // namespace

CPCInfoPage::CPCInfoPage(QWidget* parent) : QWidget(parent)
{
    m_ui.setupUi(this);
}

CPCInfoPage::~CPCInfoPage() = default;

bool CPCInfoPage::measureDrive(const QString& path, HDD_INFO_T* info, QString* root)
{
    const QString folder = ExistingFolder(QDir::fromNativeSeparators(path));
    if (folder.isEmpty())
        return false;
    const QStorageInfo drive(folder);
    if (!drive.isValid() || drive.bytesTotal() <= 0)
        return false;
    // Free is what a recording can still take.
    const qint64 available = qMax<qint64>(0, drive.bytesAvailable());
    info->total = static_cast<uint64_t>(drive.bytesTotal() / MEGABYTE);
    info->free = qMin(info->total, static_cast<uint64_t>(available / MEGABYTE));
    info->used = info->total - info->free;
    *root = drive.rootPath();
    return true;
}

void CPCInfoPage::setFolder(const QString& folder)
{
    m_ui.folder->setText(QDir::toNativeSeparators(folder));
    HDD_INFO_T info;
    QString root;
    if (!measureDrive(folder, &info, &root)) {
        m_ui.drive->setText(tr("Unknown"));
        m_ui.hddWidget->setInfo(-1, HDD_INFO_T());
        return;
    }
    m_ui.drive->setText(QDir::toNativeSeparators(root));
    m_ui.hddWidget->setInfo(-1, info);
}

void CPCInfoPage::languageChange()
{
    m_ui.retranslateUi(this);
}

void CPCInfoPage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}
