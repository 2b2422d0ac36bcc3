// Program entry. Until the main window exists this shows a small placeholder window.
#include <QApplication>
#include <QLabel>

#include <google/protobuf/stubs/common.h>

#include "ProtoBuf/ListMetaTypes.h"
#include "Settings/Translator.h"
#include "dvr_protocol/cgi_metatypes.h"

int main(int argc, char* argv[])
{
    GOOGLE_PROTOBUF_VERIFY_VERSION;

    QApplication app(argc, argv);
    RegisterListMetaTypes();
    cgi::RegisterMetaTypes();
    // The stored language, or the system's; without its translation the texts stay English.
    CTranslator::installStored();

    QLabel window(QStringLiteral("ZAVO\n\nThe main window is not built yet."));
    window.setWindowTitle(QStringLiteral("ZAVO"));
    window.setAlignment(Qt::AlignCenter);
    window.resize(480, 240);
    window.show();

    const int rc = app.exec();
    google::protobuf::ShutdownProtobufLibrary();
    return rc;
}
