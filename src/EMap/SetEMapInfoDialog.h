#pragma once

#include <QDialog>
#include <QString>

#include "EMapList.pb.h"
#include "ui_SetEMapInfoDialog.h"

// Name, picture and group of a map being added or edited. The picture path is chosen with
// "...", never typed.
class CSetEMapInfoDialog : public QDialog {
    Q_OBJECT

public:
    explicit CSetEMapInfoDialog(QWidget* parent = nullptr);
    ~CSetEMapInfoDialog() override;

    void setEMap(const QString& groupName, const EMap& map);
    // Name and picture path only; no cameras.
    EMap getEMap() const;
    QString getGroupName() const;

    // OK: accepted only when no field is empty.
    void accept() override;

    void languageChange();

    const Ui_CSetEMapInfoDialog& form() const { return m_ui; }

public slots:
    void OnBrowser();

protected:
    void changeEvent(QEvent* event) override;

private:
    Ui_CSetEMapInfoDialog m_ui;
};
