#include "EMap/SetEMapInfoDialog.h"

#include <QEvent>
#include <QFileInfo>

#include "Common/Prompt.h"

CSetEMapInfoDialog::CSetEMapInfoDialog(QWidget* parent) : QDialog(parent)
{
    m_ui.setupUi(this);
    setModal(true);
    connect(m_ui.buttonBox, &QDialogButtonBox::accepted, this, &CSetEMapInfoDialog::accept);
    connect(m_ui.buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui.PathButton, &QToolButton::clicked, this, &CSetEMapInfoDialog::OnBrowser);
}

CSetEMapInfoDialog::~CSetEMapInfoDialog() = default;

void CSetEMapInfoDialog::setEMap(const QString& groupName, const EMap& map)
{
    m_ui.EditGroupName->setText(groupName);
    m_ui.EditEMapName->setText(QString::fromStdString(map.name()));
    m_ui.EditImagePath->setPlainText(QString::fromStdString(map.map_image_path()));
}

EMap CSetEMapInfoDialog::getEMap() const
{
    EMap map;
    map.set_name(m_ui.EditEMapName->text().toStdString());
    map.set_map_image_path(m_ui.EditImagePath->toPlainText().toStdString());
    return map;
}

QString CSetEMapInfoDialog::getGroupName() const
{
    return m_ui.EditGroupName->text();
}

void CSetEMapInfoDialog::accept()
{
    // Blanks are not trimmed: a field of spaces counts as filled.
    if (m_ui.EditGroupName->text().isEmpty() || m_ui.EditEMapName->text().isEmpty()
        || m_ui.EditImagePath->toPlainText().isEmpty()) {
        CPrompt::current().message(nullptr, tr("Please fill in all blanks."));
        return;
    }
    QDialog::accept();
}

void CSetEMapInfoDialog::OnBrowser()
{
    const QString shown = m_ui.EditImagePath->toPlainText();
    const QString start = shown.isEmpty() ? QString() : QFileInfo(shown).absolutePath();
    const QString file = CPrompt::current().chooseOpenFile(this, tr("Select a Image file"), start,
                                                           QStringLiteral("Image files(*.bmp | *.jpg | *.png)"));
    if (!file.isEmpty())
        m_ui.EditImagePath->setPlainText(file);
}

void CSetEMapInfoDialog::languageChange()
{
    m_ui.retranslateUi(this);
}

void CSetEMapInfoDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QDialog::changeEvent(event);
}
