#pragma once

#include <QDialog>

#include "ModelInfo.pb.h"
#include "ui_ModelInfoDialog.h"

// Lets the operator pick a DVR model by channel count, video standard and model type, so
// that a configuration can be prepared without a DVR. Only the channel counts the chosen
// type has are offered; OK waits until a count is chosen.
class CModelInfoDialog : public QDialog {
    Q_OBJECT

public:
    explicit CModelInfoDialog(QWidget* parent = nullptr);
    ~CModelInfoDialog() override;

    // n is 4, 8 or 16; any other count leaves no choice made.
    void setDVRChannels(int n);
    // Shown when the dialog is shown.
    void setVideoType(config::VideoType v);
    // Chooses the model type of the model code.
    void setModel(int model);
    // The checked choices: channel count (-1 when none), 0 NTSC or 1 PAL.
    int getDVRChannels() const;
    int getVideoType() const;
    int getModelType() const { return m_modelType; }

    void languageChange();

    // The model type (config::ModelType) of a DVR model code.
    static int ModelIndex2Type(int model);

public slots:
    void OnChangedModelType(int index);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    static void CheckIn(QButtonGroup* group, int id);
    // A chosen count the model type does not have falls back to 4 channels.
    void keepOfferedChannels();
    void updateOk();

    Ui_CModelInfoDialog m_ui;
    int m_channels = 16;
    int m_videoType = 0;
    int m_modelType = config::ModelType_AHD;
};
