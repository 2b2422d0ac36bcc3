#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QList>

#include "DVRList.pb.h"
#include "ui_SetDVRInfoDialog.h"

// Adds or edits one DVR entry: name, address, port, account, channel count, the channels
// to view and the protocol generation.
class CSetDVRInfoDialog : public QDialog {
    Q_OBJECT

public:
    explicit CSetDVRInfoDialog(QWidget* parent = nullptr);
    ~CSetDVRInfoDialog() override;

    void setDVR(const DVR& dvr);
    // The entry as the dialog shows it; camera names are not the dialog's.
    DVR getDVR() const;

    // OK: accepted only with a name and an address.
    void accept() override;

    void languageChange();

protected:
    void changeEvent(QEvent* event) override;

private:
    // Channels above the chosen count can be neither ticked nor set.
    void updateChannels();
    int channelCount() const;

    Ui_CSetDVRInfoDialog m_ui;
    QList<QCheckBox*> m_channels;  // channel order
};
