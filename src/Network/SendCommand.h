#pragma once

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QString>

#include "DVRList.pb.h"
#include "cgi_response.pb.h"

// Posts one command query as a form to a DVR's CGI. The reply is examined only for a
// DVR information packet (the camera names a live command answers with). Used on the
// thread that created it; several commands may be in flight at once.
class CSendCommand : public QObject {
    Q_OBJECT

public:
    explicit CSendCommand(QObject* parent = nullptr);
    ~CSendCommand() override;

    void send(const DVR& dvr, const QString& query);

    // "http://<address>:<port>/cgi-bin/webapp.cgi?"
    static QString CgiUrl(const DVR& dvr);

    // A sender on the application's thread that lives as long as the application: commands
    // that must reach the DVR after their sender's owner is gone (stream stops) go through
    // it. Callable from any thread; the post itself always runs on the application's thread.
    static void sendDetached(const DVR& dvr, const QString& query);

signals:
    void receivedCameraName(cgi::DvrInfo info);

public slots:
    void OnHttpFinished();
    void OnHttpReadyRead();
    void OnHttpError(QNetworkReply::NetworkError code);

private:
    QNetworkAccessManager m_manager;
    DVR m_dvr;
};

// The query as the debug log shows it: the values of USER, ID and PW replaced by "***" (old
// queries carry the account in clear, current ones only Base64-encoded).
QString MaskQueryCredentials(const QString& query);

// The name of a network error for the debug log: the names of codes 0 to 5, else
// "http Error code = <n>".
QString NetworkErrorName(QNetworkReply::NetworkError code);
