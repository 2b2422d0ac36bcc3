#pragma once

// The plain-text queries of DVRs on the old protocol. Streams are opened with GET, commands
// posted through CSendCommand, reads fetched through CReadDVRData. Channel masks go in
// lower-case hexadecimal, times as yyMMddhhmmss of the DVR's wall clock, everything else in
// decimal. CID is a stream's client id (+100 for the audio stream of a DVR).

#include <ctime>

#include <QChar>
#include <QString>

class DVR;

class COldQuery {
public:
    static constexpr int VERSION = 3000;

    // Streams. codec: 0 main, 1 sub stream.
    static QString Live(const DVR& dvr, int codec);
    static QString Playback(const DVR& dvr, time_t startTime);
    static QString Backup(const DVR& dvr, time_t startTime, time_t endTime);
    // streamMode: 0 live, else playback or backup; videoClientId: the video stream's id.
    static QString Audio(const DVR& dvr, int streamMode, int codec, int videoClientId);

    // Commands on a running stream.
    static QString StreamStop(int cid);
    static QString Record(int cid);
    static QString StreamChannel(int cid, unsigned int channelMask);
    static QString EMapChannel(int cid, unsigned int channelMask);
    static QString PbButton(int cid, QChar button);
    static QString Ptz(int cid, int channel, const QString& request);
    static QString Relay(int cid, const QString& request);

    // Commands and reads that carry the account.
    static QString SetClock(const DVR& dvr, const QString& request);
    static QString Reset(const DVR& dvr);
    static QString ReadInfo(const DVR& dvr);
    static QString Search(int cid);

    // A user id or password as query text: the UTF-8 bytes, with blanks, control bytes,
    // "&", "%", "#" and every non-ASCII byte percent-encoded so that none of them can end a
    // value or the request. Plain ASCII letters and digits stay as they are.
    static QString EncodeText(const std::string& text);

    // The DVR time as yyMMddhhmmss.
    static QString TimeText(time_t dvrTime);

    // Live and live audio use the sub-stream modes (9 and 10) only for a DVR whose stream
    // kind is known and is not MPEG-4.
    static bool UsesSubStreamModes(const DVR& dvr, int codec);
};
