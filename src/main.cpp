// Program entry: the application, the stored language and the main window.
#include <QApplication>

#include <google/protobuf/stubs/common.h>

#include "Common/SoundThread.h"
#include "Network/DisplayDvrInfo.h"
#include "ProtoBuf/ListMetaTypes.h"
#include "Settings/Translator.h"
#include "Viewer/Viewer.h"
#include "dvr_protocol/cgi_metatypes.h"

int main(int argc, char* argv[])
{
    GOOGLE_PROTOBUF_VERIFY_VERSION;

    int rc = 0;
    {
        QApplication app(argc, argv);
        RegisterListMetaTypes();
        cgi::RegisterMetaTypes();
        RegisterDisplayDvrInfoMetaType();
        // The stored language, or the system's; without its translation the texts stay English.
        CTranslator::installStored();

        {
            // The window, and with it every connection, is gone before protobuf shuts down.
            Viewer window;
            window.show();
            rc = app.exec();
        }
        // No event loop runs any more: what the window released with deleteLater() is freed here.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // A sound thread that the sound server still holds, or a sound server that did not
        // answer for a while, ends the process here, before the libraries' clean-up; every
        // other end runs it.
        if (!SoundThread::finish(SoundThread::kFinishMs))
            SoundThread::endProcessNow(rc);
    }
    google::protobuf::ShutdownProtobufLibrary();
    return rc;
}
