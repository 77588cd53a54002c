// A number far beyond the range of int64 turned into one: a sanitizer build must stop here.
#include <cstdint>
#include <cstdio>

int main(int argc, char**) {
    // From the argument count, so that the compiler cannot fold the conversion away.
    const long double huge = 1e30L * argc;
    const auto day = static_cast<std::int64_t>(huge);
    std::printf("converted to %lld without a report\n", static_cast<long long>(day));
    return 0;
}
