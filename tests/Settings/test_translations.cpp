// The translation files against the sources: every text of the program translated in every
// language but English, with the placeholders, accelerators, tags, file patterns and the
// surrounding white space of its source.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {

struct TsMessage {
    QString context;
    QString source;
    QString comment;
    QString type;         // "unfinished", "vanished", "obsolete" or empty
    QString translation;  // of a plural text: its forms joined by line feeds
};

QList<TsMessage> ReadTs(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QList<TsMessage> messages;
    QString context;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            messages << TsMessage{context, {}, {}, {}, {}};
        } else if (xml.name() == u"source" && !messages.isEmpty()) {
            messages.last().source = xml.readElementText();
        } else if (xml.name() == u"comment" && !messages.isEmpty()) {
            messages.last().comment = xml.readElementText();
        } else if (xml.name() == u"translation" && !messages.isEmpty()) {
            TsMessage& m = messages.last();
            m.type = xml.attributes().value("type").toString();
            QStringList forms;
            while (xml.readNext() != QXmlStreamReader::EndElement || xml.name() != u"translation") {
                if (xml.atEnd())
                    break;
                if (xml.isCharacters())
                    m.translation += xml.text();
                else if (xml.isStartElement() && xml.name() == u"numerusform")
                    forms << xml.readElementText();
            }
            if (!forms.isEmpty())
                m.translation = forms.join('\n');
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return messages;
}

// What a translation must carry over from its source: placeholders, accelerators ("&x", not
// "&&"), tags, file patterns, line breaks and the white space at both ends.
QStringList Marks(const QString& text)
{
    static const QRegularExpression kinds[] = {
        QRegularExpression(R"(%L?\d+|%n)"), QRegularExpression(R"(&(?=[^&\s]))"),
        QRegularExpression(R"(<[^<>]+>)"), QRegularExpression(R"(\*\.[\w*]+)"), QRegularExpression("\n")};
    QString plain = text;
    plain.replace("&&", "");
    QStringList marks;
    for (const QRegularExpression& kind : kinds)
        for (auto it = kind.globalMatch(plain); it.hasNext();)
            marks << it.next().captured();
    marks.sort();
    static const QRegularExpression lead(R"(^\s*)"), trail(R"(\s*$)");
    marks << "lead[" + lead.match(text).captured() + "]" << "trail[" + trail.match(text).captured() + "]";
    return marks;
}

// Why a translation is not fit to ship; empty when it is.
QString Fault(const TsMessage& m)
{
    if (!m.type.isEmpty())
        return m.type;
    if (m.translation.isEmpty())
        return "empty";
    if (Marks(m.source) != Marks(m.translation))
        return "marks " + Marks(m.source).join(' ') + " became " + Marks(m.translation).join(' ');
    // A lone "& " is a literal only where the source has one (a label); on a button it would
    // underline the space.
    static const QRegularExpression loneAmpersand(R"((^|[^&])&(&&)*\s)");
    if (loneAmpersand.match(m.translation).hasMatch() && !loneAmpersand.match(m.source).hasMatch())
        return "a lone & where the source has none";
    return QString();
}

const QString kDir = QStringLiteral(ZAVO_TRANSLATIONS_DIR);

using Key = std::tuple<QString, QString, QString>;  // context, source, comment

std::set<Key> KeysOf(const QList<TsMessage>& messages)
{
    std::set<Key> keys;
    for (const TsMessage& m : messages)
        keys.insert({m.context, m.source, m.comment});
    return keys;
}

}  // namespace

TEST(Translations, AFaultyTranslationIsFound)
{
    struct Row {
        const char* source;
        const char* translation;
        const char* type;
        bool fault;
    };
    const Row rows[] = {
        {"Camera %1", "Kamera %1", "", false},
        {"Camera %1", "Kamera", "", true},
        {"Camera %1", "Kamera %2", "", true},
        {"Free: %L1 MB", "Frei: %1 MB", "", true},
        {"&Open", "Öffnen", "", true},
        {"&Open", "Ö&ffnen", "", false},
        {"Date && Time", "Datum und Zeit", "", false},
        {"Date && Time", "Datum & Zeit", "", true},
        {"Time & Date", "Datum und Uhrzeit", "", false},
        {"<b>%1</b> saved", "%1 gespeichert", "", true},
        {"Configs (*.conf)", "Konfigurationen (*.cfg)", "", true},
        {"DVR Name : %1\n", "DVR-Name : %1", "", true},
        {"Total Space : ", "Gesamt :", "", true},
        {"Cannot write file %1:\n%2.", "Datei %1 kann nicht geschrieben werden: %2.", "", true},
        {"Search", "", "", true},
        {"Search", "Suche", "unfinished", true},
        {"Search", "Suche", "vanished", true},
    };
    for (const Row& r : rows)
        EXPECT_EQ(!Fault({"C", r.source, "", r.type, r.translation}).isEmpty(), r.fault)
            << r.source << " -> " << r.translation;
}

TEST(Translations, EveryTextOfTheSourcesIsTranslatedWithItsMarks)
{
    // The texts of the sources as they are now, read by the same tool that updates the files.
    QTemporaryDir scratch;
    const QString current = scratch.filePath("current.ts");
    QProcess lupdate;
    lupdate.start(ZAVO_LUPDATE, {"-silent", "-locations", "none", "-extensions", "cpp,h,ui",
                                 QStringLiteral(ZAVO_SOURCES_DIR), "-ts", current});
    ASSERT_TRUE(lupdate.waitForFinished(120000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
    const std::set<Key> texts = KeysOf(ReadTs(current));
    ASSERT_GT(texts.size(), 500u);

    const QStringList files = QDir(kDir).entryList({"viewer_*.ts"}, QDir::Files, QDir::Name);
    ASSERT_EQ(files, (QStringList{"viewer_de.ts", "viewer_en.ts", "viewer_fr.ts", "viewer_ja.ts", "viewer_ko.ts",
                                  "viewer_nb.ts", "viewer_ru.ts", "viewer_tr.ts", "viewer_zh_tw.ts"}));
    for (const QString& name : files) {
        const QList<TsMessage> messages = ReadTs(kDir + "/" + name);
        if (name == "viewer_en.ts") {
            // English is the source language.
            EXPECT_TRUE(messages.isEmpty()) << messages.size() << " messages";
            continue;
        }
        const std::set<Key> keys = KeysOf(messages);
        for (const Key& k : texts)
            EXPECT_TRUE(keys.count(k)) << name.toStdString() << ": not in the file (scripts/update-translations): "
                                       << std::get<0>(k).toStdString() << " \"" << std::get<1>(k).toStdString() << "\"";
        for (const TsMessage& m : messages) {
            EXPECT_TRUE(texts.count({m.context, m.source, m.comment}))
                << name.toStdString() << ": no longer in the sources: " << m.context.toStdString() << " \""
                << m.source.toStdString() << "\"";
            const QString fault = Fault(m);
            EXPECT_TRUE(fault.isEmpty()) << name.toStdString() << ": " << m.context.toStdString() << " \""
                                         << m.source.toStdString() << "\" -> \"" << m.translation.toStdString()
                                         << "\": " << fault.toStdString();
        }
    }
}
