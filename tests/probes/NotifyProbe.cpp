// A second process for the notification tests: subscribes to NAME on its main
// queue, says "ready", then prints one line per delivery ("NAME main" when the
// handler ran on the main thread) until COUNT deliveries or 10 seconds.
//
//   notify_probe ROOT NAME COUNT

#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/Device.h"
#include "platform/notify/DarwinNotify.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    platform::Device::setRoot(argv[1]);
    std::string name = argv[2];
    int wanted = std::atoi(argv[3]);
    int received = 0;
    int token = 0;
    platform::notify_register_dispatch(name.c_str(), &token, platform::dispatch_get_main_queue(), [&](int) {
        ++received;
        std::printf("%s %s\n", name.c_str(), platform::RunLoop::isMainThread() ? "main" : "background");
        std::fflush(stdout);
    });
    std::printf("ready\n");
    std::fflush(stdout);
    platform::RunLoop::runUntil([&] { return received >= wanted; }, std::chrono::seconds(10));
    return received >= wanted ? 0 : 1;
}
