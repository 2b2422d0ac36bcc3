#pragma once

// The spinning wait indicator, a show/hide handle that centres one on a widget, and a small
// "please wait" dialog.

#include <QColor>
#include <QDialog>
#include <QPointer>
#include <QWidget>

class QTimer;

class CWaitWidget : public QWidget {
    Q_OBJECT
public:
    explicit CWaitWidget(QWidget* parent = nullptr);

public slots:
    // Lights the next of the twelve spokes.
    void updateValue();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int m_value = 0;  // the lit spoke, 0 to 11
    QColor m_color;
    QTimer* m_timer;
};

class CControlWait {
public:
    CControlWait();
    ~CControlWait();
    CControlWait(const CControlWait&) = delete;
    CControlWait& operator=(const CControlWait&) = delete;

    // Shows a new indicator centred on parent, replacing one shown before.
    void show(QWidget* parent);
    void hide();

private:
    // Tracks the indicator's life: its parent may be destroyed while it is shown.
    QPointer<CWaitWidget> m_waitWidget;
};

class CWaitDialog : public QDialog {
    Q_OBJECT
public:
    explicit CWaitDialog(QWidget* parent = nullptr);
};
