// Benchmarks run headless in a fresh temporary game folder (zkm/ and png/),
// which each benchmark fills with what it needs.
#include <cstdlib>
#include <filesystem>

#include <unistd.h>

#include <allegro5/allegro.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    if (!al_init() || !al_init_image_addon() || !al_init_primitives_addon())
        return 1;
    char folder[] = "/tmp/zk3-bench-XXXXXX";
    if (!mkdtemp(folder) || chdir(folder) != 0)
        return 1;
    std::filesystem::create_directory("zkm");
    std::filesystem::create_directory("png");
    std::srand(1234);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(folder);
    return 0;
}
