// Load of the software lighting while it runs: the light thread paces a mode and a frame sink
// on the main thread takes a frame every 5 ms as OutputFrame does (copy, build the live frame).
// Prints the process CPU time per minute of wall time and the light thread's wake-ups.
//
//   ravo-light-thread-load [--mode N] [--speed N] [--seconds N] [--sink-ms N (0 = no sink)]
#include "devices/KeyboardFrame.h"
#include "devices/LightThread.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

class OpenLink : public ravo::LightThreadHost {
public:
    bool IsLinkOpen() const override { return true; }
    bool IsLightOutputSuspended() const override { return false; }
};

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    int mode = 4;
    int speed = 2;
    int seconds = 60;
    int sinkMs = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        const int value = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--mode") == 0) {
            mode = value;
        } else if (std::strcmp(argv[i], "--speed") == 0) {
            speed = value;
        } else if (std::strcmp(argv[i], "--seconds") == 0) {
            seconds = value > 0 ? value : 1;
        } else if (std::strcmp(argv[i], "--sink-ms") == 0) {
            sinkMs = value;
        } else {
            std::fprintf(stderr, "unknown option %s\n", argv[i]);
            return 2;
        }
    }

    ravo::effects::SoftwareLighting lighting;
    ravo::effects::EffectSettings settings;
    settings.mode = static_cast<uint8_t>(mode);
    settings.speed = static_cast<uint8_t>(speed);
    settings.brightness = 4;
    settings.direction = 1;
    settings.multicolour = 1;
    settings.red = 255;
    lighting.SetSettings(settings);
    lighting.SetLightCopy({static_cast<uint8_t>(mode), static_cast<uint8_t>(speed)});
    lighting.StartMode(mode);

    OpenLink link;
    ravo::LightThread thread(link, lighting);
    ravo::KeyboardKeyMap map;  // no LEDs known: the frame is still built in full
    ravo::LiveFrame frame{};
    ravo::effects::LightBuffer copy;

    const double cpuStart = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    const auto end = start + std::chrono::seconds(seconds);
    thread.Start();
    uint64_t frames = 0;
    uint64_t changed = 0;
    uint64_t lastGeneration = 0;
    if (sinkMs > 0) {
        auto next = start;
        while (next < end) {
            next += std::chrono::milliseconds(sinkMs);
            std::this_thread::sleep_until(next);
            const uint64_t generation = lighting.CopyFrame(copy);
            ravo::BuildLiveFrame(copy.data(), copy.size(), map, frame);
            ++frames;
            changed += generation != lastGeneration ? 1 : 0;
            lastGeneration = generation;
        }
    } else {
        std::this_thread::sleep_until(end);
    }
    const uint64_t wakeUps = thread.WakeUps();
    const uint64_t steps = thread.Steps();
    thread.Stop();
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = CpuSeconds() - cpuStart;

    std::printf(
        "mode %d speed %d: %.1f s wall, CPU %.3f s = %.0f ms per minute (%.2f%% of one core)\n",
        mode, speed, wall, cpu, cpu / wall * 60000.0, cpu / wall * 100.0);
    std::printf(
        "light thread: %.1f wake-ups/s, %.1f steps/s; sink: %.1f frames/s, %.1f changed/s\n",
        wakeUps / wall, steps / wall, frames / wall, changed / wall);
    return 0;
}
