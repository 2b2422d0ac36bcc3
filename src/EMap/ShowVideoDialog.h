#pragma once

#include <memory>

#include <QDialog>

#include "Display/Screen.h"

// The live video of one e-map camera in a small window of its own: one screen cell that
// fills the window. Deleted when closed.
class CShowVideoDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int MIN_WIDTH = 320;
    static constexpr int MIN_HEIGHT = 240;

    // parent: the camera icon.
    explicit CShowVideoDialog(QWidget* parent);
    ~CShowVideoDialog() override;

    void setDisplayInfo(const CDisplayInfo& info);
    const CScreen& screen() const { return *m_screen; }

    // Escape and the buttons of a dialog end it without a close event.
    void done(int result) override;

signals:
    void closeVideo();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void reportClose();

    std::unique_ptr<CScreen> m_screen;
    bool m_closeReported = false;
};
