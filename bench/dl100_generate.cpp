// Writes a DL-100 raw file of N stations for the levelling benchmark:
//   dl100_generate N OUTWARD [RETURN]
// Mean-mode records (g i j h) with both readings 0.1 mm apart at most, a job
// header, an intermediate sight every tenth station, a section end every
// thousand stations and a line end; the stations rise and fall alternately,
// so the line closes on its start elevation.  With RETURN the same line is
// also written backwards as the return run.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Station {
    std::string back, fore;
    long b1, b2, f1, f2;  // staff readings, 1/100000 m (unit digit 3)
    long db, df;          // distances, mm
};

void writeStation(std::FILE* f, const Station& s, bool intermediate) {
    std::fprintf(f, "g,13,%ld,%ld,,,,%s,\r\n", s.b1, s.db, s.back.c_str());
    if (intermediate)
        std::fprintf(f, "k,13,%ld,%ld,,,,%s_K,\r\n", (s.b1 + s.f1) / 2, s.db / 2, s.back.c_str());
    std::fprintf(f, "i,13,%ld,%ld,,,,%s,\r\n", s.f1, s.df, s.fore.c_str());
    std::fprintf(f, "j,13,%ld,%ld,,,,%s,\r\n", s.f2, s.df, s.fore.c_str());
    std::fprintf(f, "h,13,%ld,%ld,,,,%s,\r\n", s.b2, s.db, s.back.c_str());
}

void writeLine(const char* path, const std::vector<Station>& stations) {
    std::FILE* f = std::fopen(path, "wb");
    if (!f) {
        std::perror(path);
        std::exit(1);
    }
    std::fprintf(f, "c,13,BENCH,,,,,,,,,,,,,,,,%s,,260101,\r\n", stations.front().back.c_str());
    for (size_t i = 0; i < stations.size(); ++i) {
        writeStation(f, stations[i], i % 10 == 5);
        if (i % 1000 == 999) std::fprintf(f, "w,13,,%s,\r\n", stations[i].fore.c_str());
    }
    std::fprintf(f, "v,13,,,\r\n\r\n");
    std::fclose(f);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: dl100_generate N OUTWARD [RETURN]\n");
        return 2;
    }
    const long n = std::atol(argv[1]);
    std::vector<Station> out;
    unsigned seed = 12345;
    auto next = [&seed](long range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<long>((seed >> 8) % static_cast<unsigned>(range));
    };
    for (long i = 0; i < n; ++i) {
        Station s;
        s.back = "P" + std::to_string(i);
        s.fore = "P" + std::to_string(i + 1);
        // Even stations rise, odd ones fall back by the same amount.
        const long base = 100000 + next(100000);
        const long rise = (i % 2 == 0) ? 10000 + next(50000) : -(out.back().b1 - out.back().f1);
        s.b1 = base + (rise > 0 ? rise : 0);
        s.f1 = base + (rise < 0 ? -rise : 0);
        // The second readings differ by at most 0.01 mm, equally on both sights.
        const long second = next(2);
        s.b2 = s.b1 + second;
        s.f2 = s.f1 + second;
        s.db = 20000 + next(30000);
        s.df = s.db + next(1000) - 500;
        out.push_back(s);
    }
    writeLine(argv[2], out);
    if (argc > 3) {
        std::vector<Station> back;
        for (auto it = out.rbegin(); it != out.rend(); ++it) {
            Station s = *it;
            std::swap(s.back, s.fore);
            std::swap(s.b1, s.f1);
            std::swap(s.b2, s.f2);
            std::swap(s.db, s.df);
            back.push_back(s);
        }
        writeLine(argv[3], back);
    }
    return 0;
}
