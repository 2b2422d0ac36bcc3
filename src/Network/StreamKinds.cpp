#include "StreamKinds.h"

#include <map>
#include <mutex>
#include <string>

#include "SendCommand.h"

namespace {

std::mutex g_lock;
std::map<std::string, int> g_kinds;  // by queue key; guarded by g_lock

}  // namespace

namespace StreamKinds {

int known(const DVR& dvr)
{
    std::lock_guard<std::mutex> lock(g_lock);
    const auto it = g_kinds.find(CSendCommand::DvrKey(dvr));
    return it == g_kinds.end() ? 0 : it->second;
}

void learned(const DVR& dvr, int kind)
{
    if (kind == 0)
        return;
    std::lock_guard<std::mutex> lock(g_lock);
    g_kinds[CSendCommand::DvrKey(dvr)] = kind;
}

DVR withKnownKind(const DVR& dvr)
{
    DVR out = dvr;
    if (out.old_protocol() && out.protocol_type() == 0)
        out.set_protocol_type(known(dvr));
    return out;
}

void forget()
{
    std::lock_guard<std::mutex> lock(g_lock);
    g_kinds.clear();
}

}  // namespace StreamKinds
