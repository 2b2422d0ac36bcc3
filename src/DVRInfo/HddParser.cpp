#include "DVRInfo/HddParser.h"

#include <QRegularExpression>

#include "Common/TextCodec.h"

void CHddParser::parse(const std::string& text)
{
    static const QRegularExpression line(QStringLiteral(
        "HDD([0-9])\\s:\\sused\\s([0-9]+)MB\\s-\\sfree\\s([0-9]+)MB"));
    m_result.clear();
    const QRegularExpressionMatch match = line.match(CTextCodec::FromEucKr(text));
    if (!match.hasMatch())
        return;
    for (int i = 1; i <= 3; ++i)
        m_result.push_back(match.captured(i).toStdString());
}
