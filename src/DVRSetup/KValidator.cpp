#include "DVRSetup/KValidator.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace {

// Every printable ASCII character but ! " % & ' * (the DVR's menus cannot show them),
// spelled out: space # $ ( ) and everything from + to ~.
const char ALL_PATTERN[] = "[ #$()+,\\-./0-9:;<=>?@A-Z\\[\\\\\\]^_`a-z{|}~]{0,%1}";
const char HOSTNAME_PATTERN[] = "[a-zA-Z0-9\\-]{0,%1}";
const char USER_PATTERN[] = "[a-zA-Z0-9._\\-]{0,%1}";

QValidator* Make(QObject* parent, const char* pattern, unsigned long limit)
{
    const QRegularExpression rx(QString::fromLatin1(pattern).arg(limit));
    return new QRegularExpressionValidator(rx, parent);
}

}  // namespace

KValidator::KValidator() = default;

KValidator::~KValidator() = default;

QValidator* KValidator::All(QObject* parent, unsigned long size)
{
    return Make(parent, ALL_PATTERN, size > 0 ? size - 1 : 0);
}

QValidator* KValidator::Hostname(QObject* parent) { return Make(parent, HOSTNAME_PATTERN, 19); }

QValidator* KValidator::UserName(QObject* parent) { return Make(parent, USER_PATTERN, 20); }

QValidator* KValidator::UserPass(QObject* parent) { return Make(parent, USER_PATTERN, 20); }
