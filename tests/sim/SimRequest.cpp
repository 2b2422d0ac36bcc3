// Decoding of what a client sends, as a DVR reads it.
#include <memory>

#include "cgi_request.pb.h"
#include "dvr_protocol/base64.h"
#include "dvr_protocol/cgi_protocol.h"
#include "dvr_protocol/urlcodec.h"
#include "sim/SimServer.h"

namespace simdvr {

namespace {

std::unique_ptr<google::protobuf::MessageLite> MessageOfMode(int mode)
{
    switch (mode) {
    case cgi::MODE_LIVE: return std::make_unique<cgi::Live>();
    case cgi::MODE_PLAYBACK: return std::make_unique<cgi::Playback>();
    case cgi::MODE_BACKUP: return std::make_unique<cgi::Backup>();
    case cgi::MODE_STREAM_CHANNEL: return std::make_unique<cgi::StreamChannel>();
    case cgi::MODE_STREAM_STOP: return std::make_unique<cgi::StreamStop>();
    case cgi::MODE_PB_CONTROL: return std::make_unique<cgi::PbControl>();
    case cgi::MODE_SEARCH: return std::make_unique<cgi::Search>();
    case cgi::MODE_PTZF: return std::make_unique<cgi::Ptzf>();
    case cgi::MODE_AUTO_PRESET: return std::make_unique<cgi::AutoPreset>();
    case cgi::MODE_RELAY_PORT: return std::make_unique<cgi::RelayPort>();
    case cgi::MODE_DVR_TIME: return std::make_unique<cgi::DvrTime>();
    case cgi::MODE_SW_UPGRADE: return std::make_unique<cgi::SwUpgrade>();
    case cgi::MODE_SET_PICTURE_CONTROL: return std::make_unique<cgi::PictureControlSet>();
    case cgi::MODE_SET_DVR_CONF:
    case cgi::MODE_RECORD_TO_DVR:
    case cgi::MODE_RESET_DVR:
    case cgi::MODE_GET_DVR_INFO:
    case cgi::MODE_GET_HDD_INFO:
    case cgi::MODE_GET_SYS_LOG:
    case cgi::MODE_GET_PICTURE_CONTROL:
    case cgi::MODE_GET_DVR_CONF:
        return std::make_unique<cgi::NullMsg>();
    default:
        return nullptr;
    }
}

// The bytes a URL-encoded Base64 value stands for; false when it does not decode.
bool DecodeValue(const QByteArray& value, std::string* bytes)
{
    QByteArray text(value.size() + 1, '\0');
    int textlen = 0;
    if (urldecode(value.constData(), text.data(), static_cast<size_t>(text.size()), &textlen) != 0)
        return false;
    // Base64 gives at most 3 bytes per 4 characters.
    std::string out(static_cast<size_t>(textlen) / 4 * 3 + 3, '\0');
    int outlen = 0;
    if (from64tobits(text.constData(), reinterpret_cast<unsigned char*>(&out[0]), out.size(), &outlen) != 0)
        return false;
    out.resize(static_cast<size_t>(outlen));
    *bytes = out;
    return true;
}

// The value of `key` in a header parameter list such as: form-data; name="REQ"; filename="a"
QByteArray DispositionValue(const QByteArray& header, const QByteArray& key, bool* found)
{
    *found = false;
    int pos = 0;
    while (pos < header.size()) {
        int semi = header.indexOf(';', pos);
        // A quoted value may hold ';': find the end of this item by walking the quotes.
        int i = pos;
        bool quoted = false;
        for (; i < header.size(); ++i) {
            const char c = header[i];
            if (quoted && c == '\\') {
                ++i;
                continue;
            }
            if (c == '"')
                quoted = !quoted;
            else if (c == ';' && !quoted)
                break;
        }
        semi = i;
        const QByteArray item = header.mid(pos, semi - pos).trimmed();
        const int eq = item.indexOf('=');
        if (eq > 0 && item.left(eq).trimmed() == key) {
            QByteArray v = item.mid(eq + 1).trimmed();
            *found = true;
            if (v.startsWith('"')) {
                QByteArray out;
                for (int k = 1; k < v.size(); ++k) {
                    if (v[k] == '\\' && k + 1 < v.size()) {
                        out.append(v[++k]);
                        continue;
                    }
                    if (v[k] == '"')
                        break;
                    out.append(v[k]);
                }
                return out;
            }
            return v;
        }
        pos = semi + 1;
    }
    return QByteArray();
}

}  // namespace

std::string MessageTypeOfMode(int mode)
{
    const auto m = MessageOfMode(mode);
    return m ? m->GetTypeName() : std::string();
}

bool ParseHead(const QByteArray& head, Request* r)
{
    r->head = head;
    const QList<QByteArray> lines = head.split('\n');
    if (lines.isEmpty())
        return false;
    QByteArray first = lines[0];
    if (first.endsWith('\r'))
        first.chop(1);
    const QList<QByteArray> words = first.split(' ');
    if (words.size() < 2 || words.size() > 3 || words[0].isEmpty() || words[1].isEmpty())
        return false;
    r->method = words[0];
    r->target = words[1];
    r->version = words.size() == 3 ? words[2] : QByteArray();
    for (int i = 1; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const int colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        r->headers.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
    }
    const int q = r->target.indexOf('?');
    const QByteArray path = q < 0 ? r->target : r->target.left(q);
    r->pathOk = path == "/cgi-bin/webapp.cgi";
    r->query = q < 0 ? QByteArray() : r->target.mid(q + 1);
    return true;
}

void DecodeParams(Request* r)
{
    if (r->transport != Transport::Upload) {
        r->params.clear();
        if (!r->query.isEmpty()) {
            for (const QByteArray& piece : r->query.split('&')) {
                const int eq = piece.indexOf('=');
                if (eq < 0)
                    r->params.append({piece, QByteArray()});
                else
                    r->params.append({piece.left(eq), piece.mid(eq + 1)});
            }
        }
    }
    r->mode = r->hasParam("MODE") ? cgi::Url2Mode(r->param("MODE").toStdString()) : -1;
    r->oldProtocol = !r->hasParam("USER") && !r->hasParam("DATA");
    if (r->oldProtocol) {
        r->oldId = r->paramDecoded("ID");
        r->oldPw = r->paramDecoded("PW");
        return;
    }
    cgi::User user;
    r->userOk = cgi::Url2User(r->param("USER").toStdString(), &user) == 0;
    if (r->userOk) {
        r->user = user.name();
        r->password = user.password();
    }
    std::string bytes;
    if (DecodeValue(r->param("DATA"), &bytes))
        r->data = bytes;
    auto message = MessageOfMode(r->mode);
    if (message) {
        r->dataType = message->GetTypeName();
        r->dataOk = cgi::Url2Data(r->param("DATA").toStdString(), message.get()) == 0;
    }
}

bool ParseMultipart(Request* r)
{
    const QByteArray type = r->header("Content-Type");
    bool found = false;
    QByteArray boundary = DispositionValue(type, "boundary", &found);
    if (!found || boundary.isEmpty() || !type.trimmed().startsWith("multipart/form-data"))
        return false;
    r->boundary = boundary;
    const QByteArray delimiter = "--" + boundary;
    const QByteArray& body = r->body;
    if (!body.startsWith(delimiter))
        return false;
    r->params.clear();
    int pos = delimiter.size();
    while (true) {
        if (body.mid(pos, 2) == "--")
            break;  // closing delimiter
        if (body.mid(pos, 2) != "\r\n")
            return false;
        pos += 2;
        const int headEnd = body.indexOf("\r\n\r\n", pos);
        if (headEnd < 0)
            return false;
        const QByteArray partHead = body.mid(pos, headEnd - pos);
        const int dataStart = headEnd + 4;
        const int next = body.indexOf("\r\n" + delimiter, dataStart);
        if (next < 0)
            return false;
        const QByteArray data = body.mid(dataStart, next - dataStart);
        QByteArray disposition;
        for (const QByteArray& line : partHead.split('\n')) {
            const QByteArray l = line.trimmed();
            if (l.toLower().startsWith("content-disposition:"))
                disposition = l.mid(int(sizeof("content-disposition:")) - 1).trimmed();
        }
        bool hasName = false, hasFile = false;
        const QByteArray name = DispositionValue(disposition, "name", &hasName);
        const QByteArray fileName = DispositionValue(disposition, "filename", &hasFile);
        if (hasFile) {
            r->fileField = name;
            r->fileName = fileName;
            r->fileData = data;
        } else if (hasName) {
            r->params.append({name, data});
        }
        pos = next + 2 + delimiter.size();
    }
    QList<QByteArray> pieces;
    for (const auto& p : r->params)
        pieces.append(p.first + "=" + p.second);
    r->query = pieces.join('&');
    DecodeParams(r);
    return true;
}

}  // namespace simdvr
