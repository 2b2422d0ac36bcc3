// Debian's libraries are built without frame pointers, so past the second frame the fast
// unwinder takes stack data for return addresses: every input then stores new "stacks" for
// its allocations and frees, kept until exit (about 10 KB an input, gigabytes in a run of
// hours). Two frames keep that table bounded; ASAN_OPTIONS=malloc_context_size=30 replays a
// crash input with whole stacks.
extern "C" const char* __asan_default_options()
{
    return "malloc_context_size=2";
}
