#pragma once

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QObject>
#include <QPointer>
#include <QString>

// The body of a multipart upload as one read-only stream: head bytes, the file's bytes read
// from disk as they are asked for, then tail bytes. Only head and tail are held in memory.
class QUpFile : public QIODevice {
    Q_OBJECT

public:
    QUpFile(const QString& fileName, const QByteArray& head, const QByteArray& tail,
            QObject* parent = nullptr);
    ~QUpFile() override;

    // Opens the file and then the device, both read-only; true when both opened.
    bool openFile();

    qint64 size() const override;
    qint64 sizefull() const;
    qint64 sizepart() const;  // head and file

    bool seek(qint64 pos) override;
    bool isSequential() const override { return false; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

private:
    QFile* m_file;
    QByteArray m_head;
    QByteArray m_tail;
    qint64 m_pos = 0;
};

// Sends one file to a DVR as a multipart/form-data POST: the file in the field "REQ", each
// parameter of the command query as a field of its own, then "agree" = "1". The reply is read
// for a DVR result code: a refusal fails the upload with the refusal's text. The upload waits
// for the commands sent to the DVR before it, and those sent after it wait for its end.
class UpLoader : public QObject {
    Q_OBJECT

public:
    explicit UpLoader(QObject* parent = nullptr);
    ~UpLoader() override;

    bool aborted() const { return m_aborted; }

    // The head and tail around the file for a boundary and a query (exposed for the tests
    // and for callers that need the exact size in advance).
    static QByteArray MakeHead(const QByteArray& boundary, const QString& fileName);
    static QByteArray MakeTail(const QByteArray& boundary, const QString& command);

public slots:
    void upload(QString address, int port, QString command, QString filename);
    void abort();
    void replyFinished();

signals:
    void started();
    void progress(qint64 bytesSent, qint64 bytesTotal);
    void finished(bool error, bool aborted, QString text);

private:
    void post(quint64 turn, const QNetworkRequest& request);

    QUpFile* m_file = nullptr;
    QNetworkAccessManager* m_manager;
    QPointer<QNetworkReply> m_reply;
    QString m_url;
    bool m_aborted = false;
    bool m_inProgress = false;  // from upload() until finished, also while waiting for its turn
    quint64 m_turn = 0;         // its place in the DVR's command order
};
