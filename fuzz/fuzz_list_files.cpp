// Arbitrary bytes as the body of the DVR list and of the e-map list: loaded, repaired and
// filled into their trees, then saved and read again. A damaged file is kept byte for byte,
// every value read is in range, and what a tree saves reads back as the tree holds it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "Common/AppDir.h"
#include "Common/Prompt.h"
#include "DVRList/DVRListTree.h"
#include "EMap/ControlEMapList.h"
#include "EMap/EMapList.h"
#include "ProtoBuf/ListMetaTypes.h"
#include "fuzz_util.h"

namespace {

class QuietPrompt : public CPrompt {
public:
    void message(QWidget*, const QString&) override {}
};

QTemporaryDir* g_dir = nullptr;

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
}

void CheckDvr(const DVR& dvr)
{
    CHECK(dvr.chnum() == 4 || dvr.chnum() == 8 || dvr.chnum() == 16);
    CHECK(dvr.port() >= 1 && dvr.port() <= 65535);
    CHECK((dvr.bit_ch() >> 16) == 0);
    CHECK(dvr.protocol_type() >= 0 && dvr.protocol_type() <= 3);
}

void CheckKept(const ListDamage& damage, const QByteArray& file)
{
    if (damage.damaged)
        CHECK(Bytes(damage.keptAs) == file);
}

// The file written under `name` and loaded; a damaged one is kept as it was.
template <typename Control>
auto Loaded(const char* name, const QByteArray& file, ListDamage* damage)
{
    Write(g_dir->path() + "/" + name, file);
    auto read = Control().Load(damage);
    CheckKept(*damage, file);
    return read;
}

// A tree's save reads back undamaged as the tree held it, and the damaged file stays kept.
template <typename Control>
void CheckSaved(bool saved, const std::string& held, const ListDamage& damage, const QByteArray& file)
{
    CHECK(saved);
    CheckKept(damage, file);
    ListDamage again;
    CHECK(Control().Load(&again).SerializeAsString() == held && !again.damaged);
}

void DvrFile(const QByteArray& file)
{
    ListDamage damage;
    const GroupList read = Loaded<CControlDVRList>("DVRlist.pb", file, &damage);
    for (const Group& group : read.group())
        for (const DVR& dvr : group.dvr())
            CheckDvr(dvr);
    CDVRListTree tree;
    const std::string held = tree.groupList().SerializeAsString();
    CHECK(held == read.SerializeAsString());
    CheckSaved<CControlDVRList>(tree.saveDVRList(), held, damage, file);
}

void EMapFile(const QByteArray& file)
{
    ListDamage damage;
    const EMapGroupList read = Loaded<CControlEMapList>("EMaplist.pb", file, &damage);
    for (const EMapList& group : read.emap_list())
        for (const EMap& map : group.emap())
            for (const EMapItems& item : map.items()) {
                if (item.has_dvr())
                    CheckDvr(item.dvr());
                CHECK(item.channel() >= 0 && item.channel() < 16);
            }
    CEMapList tree;
    const std::string held = tree.groupList().SerializeAsString();
    CheckSaved<CControlEMapList>(tree.saveEMapList(), held, damage, file);
}

}  // namespace

// Qt's font database keeps what fontconfig, FreeType and HarfBuzz give it until exit, where no
// pointer to it is left; the trees load it when they are first made.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libfreetype\nleak:libharfbuzz\nleak:libQt6Gui\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    static QuietPrompt prompt;
    CPrompt::install(&prompt);
    RegisterListMetaTypes();
    // Every save syncs the file: in memory when the system offers it.
    const QString shm = QStringLiteral("/dev/shm");
    // Removed at exit.
    static QTemporaryDir dir((QFileInfo(shm).isWritable() ? shm : QDir::tempPath()) + "/zavo-fuzz-XXXXXX");
    g_dir = &dir;
    CAppDir::setOverridePath(g_dir->path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 16))
        return 0;
    const QByteArray body(reinterpret_cast<const char*>(data), static_cast<int>(size));
    // Mostly behind the right file code, so the fuzzer works on the bodies.
    DvrFile(QByteArray("DVRLIST_PB") + body);
    EMapFile(QByteArray("EMAPLIST_PB") + body);
    if (size > 0 && data[0] == 'X')
        DvrFile(body);
    // The kept copies of damaged files would pile up.
    QDir dir(g_dir->path());
    for (const QString& name : dir.entryList(QDir::Files))
        dir.remove(name);
    return 0;
}
