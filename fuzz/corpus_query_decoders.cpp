// Writes the starting corpus of fuzz_query_decoders into the folder given as argv[1].
#include "cgi_request.pb.h"
#include "corpus_util.h"
#include "dvr_protocol/cgi_protocol.h"

namespace {

// The round-trip layout of the fuzz target: mode, user length, user, request.
std::string Request(int mode, const cgi::User& user, const cgi::StreamChannel& request)
{
    const std::string u = user.SerializeAsString();
    std::string seed;
    seed.push_back(static_cast<char>(mode));
    seed.push_back(static_cast<char>(u.size()));
    return seed + u + request.SerializeAsString();
}

}  // namespace

int main(int argc, char** argv)
{
    cgi::User admin;
    admin.set_name("admin");
    admin.set_password("1234");
    cgi::StreamChannel channel;
    channel.set_mode(cgi::MODE_PLAYBACK);
    channel.set_stream_id(7);
    channel.set_vchmask(0x00ff);
    channel.set_auto_stream(cgi::AUTO_STREAM_SUB);
    cgi::Search search;
    search.set_chmask(65535);
    search.set_version(1);
    search.set_hours_include(true);
    search.set_start_time(1718841600);
    search.set_end_time(1718927999);

    std::vector<std::string> seeds;
    std::string query;
    if (cgi::Data2Url(cgi::MODE_STREAM_CHANNEL, admin, channel, &query) == 0)
        seeds.push_back(query);
    if (cgi::Data2Url(cgi::MODE_SEARCH, admin, search, &query) == 0) {
        seeds.push_back(query);
        seeds.push_back(query.substr(query.find("&DATA=") + 6));
        seeds.push_back(query.substr(query.find("&USER=") + 6,
                                     query.find("&DATA=") - query.find("&USER=") - 6));
    }
    for (const char* text : {"YWJj", "YWI=", "+w==", "+ YWJj", "\rYWJj", "YWJj\r\n", "YW=jYWJj",
                             "%2bw%3d%3d", "%2Bw%3D%3D", "%", "%4", "%4g%41", "14", "-2147483648"})
        seeds.push_back(text);
    seeds.push_back(Request(cgi::MODE_STREAM_CHANNEL, admin, channel));
    seeds.push_back(Request(cgi::MODE_RESET_DVR, admin, cgi::StreamChannel()));
    cgi::User longUser;
    longUser.set_name("admin");
    longUser.set_password(std::string(178, 'a'));
    seeds.push_back(Request(cgi::MODE_LIVE, longUser, channel));
    return corpus::WriteSeeds(argc, argv, seeds);
}
