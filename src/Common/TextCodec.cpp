#include "TextCodec.h"

#include <QByteArray>
#include <QTextCodec>

namespace {

QTextCodec* EucKr()
{
    // Looked up once: the codec registry takes a lock on every lookup.
    static QTextCodec* const codec = QTextCodec::codecForName("EUC-KR");
    return codec;
}

}  // namespace

QString CTextCodec::FromEucKr(const std::string& bytes)
{
    const QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (QTextCodec* codec = EucKr()) {
        // The codec silently drops a lead byte left at the end (a string cut inside a
        // two-byte character). A NUL after it, which can never trail, makes the codec
        // report it as U+FFFD; the NUL itself is taken off again.
        QByteArray terminated = data;
        terminated.append('\0');
        QString text = codec->toUnicode(terminated);
        if (!text.isEmpty() && text.back() == QChar(0))
            text.chop(1);
        return text;
    }
    // Without the codec (a broken Qt install) keep every byte as one character.
    return QString::fromLatin1(data);
}

std::string CTextCodec::ToEucKr(const QString& text)
{
    QTextCodec* codec = EucKr();
    const QByteArray data = codec ? codec->fromUnicode(text) : text.toLatin1();
    return std::string(data.constData(), static_cast<size_t>(data.size()));
}
