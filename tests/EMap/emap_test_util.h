#pragma once

// What the e-map tests share: an operator who also picks map pictures.

#include <QStringList>

#include "support/UiTestSupport.h"

namespace emaptest {

class Prompt : public uitest::ScriptedPrompt {
public:
    QString chooseOpenFile(QWidget*, const QString& title, const QString&, const QString& filter) override
    {
        questions << title + " " + filter;
        return images.isEmpty() ? QString() : images.takeFirst();
    }

    QStringList images;
};

}  // namespace emaptest
