#include "UpLoader.h"

#include <algorithm>
#include <cstring>

#include <QFileInfo>
#include <QNetworkRequest>
#include <QRandomGenerator>
#include <QUrl>

#include "Common/DataParser.h"
#include "Common/RegularFile.h"
#include "Common/ThreadCheck.h"
#include "HttpConnect.h"
#include "SendCommand.h"
#include "cgi_response.pb.h"

// ---- QUpFile -----------------------------------------------------------------------------

QUpFile::QUpFile(const QString& fileName, const QByteArray& head, const QByteArray& tail,
                 QObject* parent)
    : QIODevice(parent), m_file(new QFile(fileName, this)), m_head(head), m_tail(tail)
{
}

QUpFile::~QUpFile() = default;

bool QUpFile::openFile()
{
    if (!OpenRegularFile(*m_file))
        return false;
    m_pos = 0;
    return open(QIODevice::ReadOnly);
}

qint64 QUpFile::size() const { return sizefull(); }

qint64 QUpFile::sizefull() const { return sizepart() + m_tail.size(); }

qint64 QUpFile::sizepart() const { return m_head.size() + m_file->size(); }

bool QUpFile::seek(qint64 pos)
{
    if (pos < 0 || pos > size() || !QIODevice::seek(pos))
        return false;
    m_pos = pos;
    return true;
}

qint64 QUpFile::readData(char* data, qint64 maxSize)
{
    if (!m_file->isOpen())
        return -1;
    const qint64 headSize = m_head.size();
    const qint64 fileSize = m_file->size();
    qint64 served = 0;

    if (m_pos < headSize && served < maxSize) {
        const qint64 n = std::min(maxSize - served, headSize - m_pos);
        std::memcpy(data + served, m_head.constData() + m_pos, size_t(n));
        m_pos += n;
        served += n;
    }
    if (m_pos >= headSize && m_pos < headSize + fileSize && served < maxSize) {
        const qint64 filePos = m_pos - headSize;
        if (m_file->pos() != filePos && !m_file->seek(filePos))
            return served > 0 ? served : -1;
        const qint64 r = m_file->read(data + served, std::min(maxSize - served, fileSize - filePos));
        // A file that shrank under us cannot give the body it promised.
        if (r <= 0)
            return served > 0 ? served : -1;
        m_pos += r;
        served += r;
    }
    const qint64 tailStart = headSize + fileSize;
    if (m_pos >= tailStart && served < maxSize) {
        const qint64 offset = m_pos - tailStart;
        const qint64 n = std::min(maxSize - served, m_tail.size() - offset);
        if (n > 0) {
            std::memcpy(data + served, m_tail.constData() + offset, size_t(n));
            m_pos += n;
            served += n;
        }
    }
    return served;
}

qint64 QUpFile::writeData(const char*, qint64) { return -1; }

// ---- UpLoader ----------------------------------------------------------------------------

namespace {

// A quote or a line break in the file name would end the header line or the value early.
QByteArray EscapeFileName(const QByteArray& name)
{
    QByteArray out;
    out.reserve(name.size());
    for (const char c : name) {
        if (c == '"')
            out += "%22";
        else if (c == '\r')
            out += "%0D";
        else if (c == '\n')
            out += "%0A";
        else
            out += c;
    }
    return out;
}

// The text of the first non-zero result code in a reply body; empty when there is none.
QString ReplyRefusal(const QByteArray& body)
{
    CDataParser parser;
    const char* data = body.constData();
    unsigned int size = static_cast<unsigned int>(body.size());
    while (parser.setReceivedData(false, data, size)) {
        data = nullptr;
        size = 0;
        if (parser.getDataType() != cgi::DATA_RESPONSE)
            continue;
        const std::vector<char>& payload = parser.getResultData();
        if (payload.size() != 1)
            continue;
        const QString text = CHttpConnect::getErrMessage(static_cast<unsigned char>(payload[0]), false);
        if (!text.isEmpty())
            return text;
    }
    return QString();
}

const char USER_AGENT[] =
    "Mozilla/5.0 (Windows; U; Windows NT 5.1; ru; rv:1.9.1.3) Gecko/20090824 Firefox/3.5.3 "
    "(.NET CLR 3.5.30729)";

}  // namespace

UpLoader::UpLoader(QObject* parent) : QObject(parent), m_manager(new QNetworkAccessManager(this)) {}

UpLoader::~UpLoader()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        delete m_reply;
    }
    CSendCommand::endTurn(m_turn);
    delete m_file;
}

QByteArray UpLoader::MakeHead(const QByteArray& boundary, const QString& fileName)
{
    const QByteArray name = EscapeFileName(QFileInfo(fileName).fileName().toUtf8());
    return "--" + boundary + "\r\n" +
           "Content-Disposition: form-data; name=\"REQ\"; filename=\"" + name + "\"\r\n" +
           "Content-Type: application/octet-stream\r\n\r\n";
}

QByteArray UpLoader::MakeTail(const QByteArray& boundary, const QString& command)
{
    QByteArray tail = "\r\n--" + boundary + "\r\n";
    const QStringList pieces = command.split(QLatin1Char('&'), Qt::KeepEmptyParts);
    for (const QString& piece : pieces) {
        const QStringList kv = piece.split(QLatin1Char('='), Qt::KeepEmptyParts);
        if (kv.size() != 2)
            continue;
        tail += "Content-Disposition: form-data; name=\"" + kv[0].toLatin1() + "\"\r\n\r\n";
        tail += kv[1].toLatin1();
        tail += "\r\n--" + boundary + "\r\n";
    }
    tail += "Content-Disposition: form-data; name=\"agree\"\r\n\r\n";
    tail += "1";
    tail += "\r\n--" + boundary + "--\r\n";
    return tail;
}

void UpLoader::upload(QString address, int port, QString command, QString filename)
{
    // One upload at a time: a running one is given up (and reported) first.
    if (m_inProgress)
        abort();
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->deleteLater();
        m_reply = nullptr;
    }

    m_aborted = false;
    const QByteArray boundary =
        "--" + QByteArray::number(QRandomGenerator::global()->bounded(2147483647));

    m_url = QStringLiteral("http://%1:%2/cgi-bin/webapp.cgi").arg(address).arg(port);
    const QUrl url(m_url);
    QNetworkRequest request(url);
    request.setRawHeader("Host", url.host(QUrl::FullyEncoded).toLatin1());
    request.setRawHeader("User-Agent", USER_AGENT);
    request.setRawHeader("Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
    request.setRawHeader("Accept-Language", "ru,en-us;q=0.7,en;q=0.3");
    request.setRawHeader("Accept-Encoding", "gzip,deflate");
    request.setRawHeader("Accept-Charset", "windows-1251,utf-8;q=0.7,*;q=0.7");
    request.setRawHeader("Keep-Alive", "300");
    request.setRawHeader("Connection", "keep-alive");
    request.setRawHeader("Content-Type", "multipart/form-data; boundary=" + boundary);

    delete m_file;
    m_file = new QUpFile(filename, MakeHead(boundary, filename), MakeTail(boundary, command), this);
    if (!m_file->openFile()) {
        delete m_file;
        m_file = nullptr;
        emit finished(true, false, tr("Error: can't open file %1").arg(filename));
        return;
    }
    request.setHeader(QNetworkRequest::ContentLengthHeader, m_file->size());

    // In the DVR's order: after the commands sent to it before, and ahead of those after.
    m_inProgress = true;
    const QPointer<UpLoader> self(this);
    m_turn = CSendCommand::queueTurn(address, port, [self, request](quint64 turn) {
        if (self)
            self->post(turn, request);
    }, true);
}

void UpLoader::post(quint64 turn, const QNetworkRequest& request)
{
    m_turn = turn;
    m_reply = m_manager->post(request, m_file);
    connect(m_reply, &QNetworkReply::uploadProgress, this,
            FreedAnywhere([this](qint64 sent, qint64 total) { progress(sent, total); }));
    connect(m_reply, &QNetworkReply::finished, this, FreedAnywhere([this] { replyFinished(); }));
    emit started();
}

void UpLoader::abort()
{
    m_aborted = true;
    if (!m_inProgress)
        return;
    if (m_reply) {
        m_reply->abort();
        return;
    }
    // Still waiting for its turn: it never reaches the DVR.
    m_inProgress = false;
    CSendCommand::endTurn(m_turn);
    m_turn = 0;
    delete m_file;
    m_file = nullptr;
    emit finished(false, true, QString());
}

void UpLoader::replyFinished()
{
    QNetworkReply* reply = m_reply;
    if (!reply || sender() != reply)
        return;
    m_inProgress = false;
    reply->disconnect(this);

    const QByteArray body = reply->readAll();
    const QNetworkReply::NetworkError error = reply->error();
    // The network layer may hold the body device until the reply goes, so the reply owns it.
    if (m_file) {
        m_file->close();
        m_file->setParent(reply);
        m_file = nullptr;
    }
    reply->deleteLater();
    m_reply = nullptr;
    CSendCommand::endTurn(m_turn);
    m_turn = 0;

    if (m_aborted) {
        emit finished(false, true, QString());
        return;
    }
    const QString refusal = ReplyRefusal(body);
    if (!refusal.isEmpty())
        emit finished(true, false, refusal);
    else if (error != QNetworkReply::NoError)
        emit finished(true, false, tr("Network error: %1").arg(int(error)));
    else
        emit finished(false, false, QString());
}
