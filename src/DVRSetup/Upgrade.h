#pragma once

#include <QString>
#include <QWidget>

#include "DVRList.pb.h"
#include "ui_Upgrade.h"

class CProgressDialog;
class UpLoader;

// The firmware upgrade panel of the configuration container: uploads the chosen image file
// unchanged to the target DVR (mode 15) with its progress in a modeless dialog that can
// abort it. "Upgrade" and "Close" wait while the upload runs.
class CUpgrade : public QWidget {
    Q_OBJECT

public:
    explicit CUpgrade(QWidget* parent = nullptr);
    ~CUpgrade() override;

    void setDVR(const DVR& dvr) { m_dvr.CopyFrom(dvr); }
    const DVR& dvr() const { return m_dvr; }
    CProgressDialog* progressDialog() const { return m_progress; }
    bool isUploading() const { return m_uploading; }

    void languageChange();

    // The upgrade query for a type row (0 Ramdisk, 1 Kernel); empty for any other row.
    static QString UpgradeQuery(const DVR& dvr, int typeIndex);

public slots:
    void OnUpgrade();
    void OnSelectFile();
    void AbortUpload();
    void FinishUpload(bool error, bool aborted, const QString& text);

signals:
    void signalClose();

protected:
    void changeEvent(QEvent* event) override;

private:
    void addItems();
    void setUploading(bool uploading);

    Ui_CUpgrade m_ui;
    DVR m_dvr;
    UpLoader* m_uploader;
    CProgressDialog* m_progress;
    bool m_uploading = false;
};
