#pragma once

// How the streams of a DVR deal with stops that it carries out late. Some DVRs give a new
// stream the client id of one whose stop they have not carried out yet; the stop then ends
// the new stream. The numbers below bound what that may cost. Tests shorten them; the
// operator has no say in them.
struct StopTimings {
    // A stream's stop is given up unanswered after this (the DVR may still carry it out). A
    // new stream to a DVR whose late stops have ended a stream waits this long at most for
    // the stops still unanswered.
    int answerMs = 15000;
    // How late a stop is taken to strike at most: a stream that lived longer than this was
    // not ended by a stop sent before it. Stops have been seen to come 40 s late.
    int lateMs = 60000;
    // A new stream to any DVR waits this long at most for the stops sent to it to leave, so
    // that its request does not overtake them.
    int sendMs = 1000;
    // A stop answered within this of leaving was carried out before any stream that followed
    // it could be hurt: the DVR ends streams promptly.
    int onTimeMs = 500;
    // A stop answered within this of the end of a stream of its client id is what ended it.
    int confirmMs = 1000;

    // The numbers in force.
    static StopTimings current();
    // For tests: applies to the stops and streams that follow.
    static void set(const StopTimings& timings);
};
