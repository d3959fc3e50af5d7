#include "hostile_cd.h"

#include <random>
#include <vector>

namespace hostile {
namespace {

constexpr char kMarker[] = "DEMOA110.CD1";

// Bytes of the raw engine only: the distributions of the standard library
// differ between implementations, the engine does not.
struct Random {
    std::mt19937 engine;
    explicit Random(std::uint32_t seed) : engine(seed) {}
    std::uint32_t Below(std::uint32_t n) { return n ? engine() % n : 0; }
    std::string Bytes(std::size_t n) {
        std::string bytes(n, '\0');
        for (char &c : bytes)
            c = static_cast<char>(engine() & 0xFF);
        return bytes;
    }
};

std::string Pxd(const std::string &product, const std::string &installDir,
                const std::string &space) {
    return "[general]\r\nproduct=" + product +
           "\r\nsourcedirectory=DATA\r\ninstalldirectory=" + installDir +
           "\r\nExec=GAME.EXE\r\n[configuration]\r\ndiskspacereq=" + space +
           "\r\ndiskspacereqreins=" + space + "\r\n";
}

const char *const kScriptBody = "MKDIR *DESTDIR\r\n"
                                "PROGRESS START\r\n"
                                "COPY README.TXT *DESTDIR\r\n"
                                "MKDIR SUB *DESTDIR\r\n"
                                "COPYDIR SUB *DESTDIR\\SUB\r\n"
                                "COPY NOMENCLATUREFILE *DESTDIR\r\n"
                                "PROGRESS END\r\n";

// Lines of every command with missing, extra and overlong words.
std::vector<std::string> OddLines(Random &random) {
    const std::string big(300 + random.Below(700), 'W');
    const std::string extra = " a b c d e f g h i j k l m n o p q r s t u v w x y z";
    return {"COPY",
            "COPYDIR",
            "COPY " + big + " *DESTDIR",
            "COPYDIR " + big + " " + big,
            "MKDIR",
            "RMDIR",
            "MKDIR " + big + " *DESTDIR",
            "IMAGE",
            "IMAGE " + big + " 99999999999",
            "ADDSTART GROUP",
            "ADDSTART GROUP " + big,
            "ADDSTART LINK",
            "ADDSTART LINK " + big + " " + big + " " + big + " " + big + " " + big,
            "ADDSTART FILE",
            "PC_ADDLINK",
            "PC_ADDLINK " + big + extra,
            "SPECIAL ADDPATH",
            "SPECIAL ADDSTARTUP",
            "SPECIAL ADDSTARTUP " + big + " *DESTDIR " + big,
            "EXECUTE",
            "EXECUTE NOSUCH.EXE *DESTDIR",
            "DELETE",
            "DELETE *PROGLINK*",
            "DELETE *STARTUPLINK* " + big,
            "BROWSEURL",
            "BROWSEURL " + big,
            "MESSAGE",
            "MESSAGE 2147483647 -1",
            "TEST",
            "TEST GRAPHCAPS",
            "TEST GRAPHCAPS 1 1 1 1 1 1 1 1 1 1",
            "INSTALL",
            "INSTALL WEBVIEWER",
            "INSTALL " + big,
            "DIRECTX_INSTALL" + extra,
            "COPY README.TXT *NOWHERE",
            "COPY README.TXT *DESTDIR extra words" + extra,
            "MKDIR *DESTDIR *SOURCEDIR",
            "copy README.TXT *DESTDIR",
            "ALLDONE REBOOT"};
}

std::vector<std::string> OddOptions(Random &random) {
    const std::string big(300 + random.Below(700), 'O');
    return {"KILL",
            "KILL " + big + " " + big,
            "WAITWRITE",
            "WAITWRITE -5",
            "WAITWRITE 2147483647",
            "COPY_MODE",
            "NODELETE",
            "NODELETE *.*",
            "DELETEFILE " + big,
            "INSTALL FONT",
            "INSTALL FONT " + big + " " + big + " " + big,
            "USEFONT",
            "USEFONT MAINDLG " + big + " 99999999 -99999999 BOLD ITALIC UNDERLINE",
            "BKGNDCOLOR",
            "BKGNDCOLOR 999 -1 x",
            "PROGRESSCOLOR",
            "PROGRESSCOLOR 3 1 2 3 4 5 6",
            "PROGRESSCOLOR 1 999 999 999 999 999 999",
            "COMPATIBILITY " + big};
}

std::string Script(const std::string &before, const std::string &after) {
    return before + kScriptBody + after + "ALLDONE\r\n";
}

void Truncate(Random &random, std::string &bytes) {
    // Structural edges first: headers of 32 bytes, field descriptors, the
    // first record; then anywhere.
    const std::size_t edges[] = {0, 1, 4, 8, 10, 12, 31, 32, 33, 64, 65, 512, 513, 1024, 2048};
    std::size_t at = random.Below(2) ? edges[random.Below(std::size(edges))]
                                     : random.Below(static_cast<std::uint32_t>(bytes.size() + 1));
    if (at < bytes.size())
        bytes.resize(at);
}

void Flip(Random &random, std::string &bytes, int count) {
    for (int i = 0; i < count && !bytes.empty(); ++i)
        bytes[random.Below(static_cast<std::uint32_t>(bytes.size()))] ^=
            static_cast<char>(1 + random.Below(255));
}

std::string BitmapWithSize(std::int32_t width, std::int32_t height) {
    std::string bmp(54, '\0');
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bmp[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, 54 + 64);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    bmp[26] = 1;
    bmp[28] = 24;
    return bmp + std::string(64, '\x7F');
}

using Fault = void (*)(Random &, Files &, std::string &what);

const Fault kFaults[] = {
    // PXD.INI
    [](Random &, Files &f, std::string &w) {
        f["PXD.INI"] = Pxd(std::string(100000, 'P'), "\\Hostile", "1");
        w += "huge product name; ";
    },
    [](Random &, Files &f, std::string &w) {
        f["PXD.INI"] = "";
        w += "empty PXD.INI; ";
    },
    [](Random &r, Files &f, std::string &w) {
        f["PXD.INI"] = r.Bytes(4096);
        w += "binary PXD.INI; ";
    },
    [](Random &, Files &f, std::string &w) {
        f.erase("PXD.INI");
        w += "no PXD.INI; ";
    },
    [](Random &, Files &f, std::string &w) {
        f["PXD.INI"] = "[general]\r\nproduct=Demo\r\n";
        w += "PXD.INI without most keys; ";
    },
    [](Random &, Files &f, std::string &w) {
        f["PXD.INI"] = Pxd("Demo", "\\" + std::string(5000, 'D'), "1");
        w += "overlong install directory; ";
    },
    [](Random &r, Files &f, std::string &w) {
        const char *spaces[] = {"99999999999", "-5", "abc", "4096", ""};
        const char *space = spaces[r.Below(5)];
        f["PXD.INI"] = Pxd("Demo", "\\Hostile", space);
        w += std::string("disk space '") + space + "'; ";
    },
    // Markers
    [](Random &, Files &f, std::string &w) {
        f.erase(kMarker);
        w += "no marker; ";
    },
    [](Random &, Files &f, std::string &w) {
        f.erase(kMarker);
        f["A.CD1"] = "x";
        w += "short marker; ";
    },
    [](Random &, Files &f, std::string &w) {
        f.erase(kMarker);
        f[std::string(180, 'M') + ".CD1"] = "x";
        w += "long marker; ";
    },
    [](Random &, Files &f, std::string &w) {
        f.erase(kMarker);
        f["D\xC9MOA110.CD1"] = "x";
        w += "non-ASCII marker; ";
    },
    [](Random &, Files &f, std::string &w) {
        f["XYZZF200.CD1"] = "x";
        f["DEMOA110.CD2"] = "x";
        w += "several markers; ";
    },
    [](Random &, Files &f, std::string &w) {
        f.erase(kMarker);
        f["DEMOA110.CD2"] = "x";
        w += "disk 2 only; ";
    },
    // Scripts
    [](Random &, Files &f, std::string &w) {
        f["SETUP.INF"] = "";
        w += "empty script; ";
    },
    [](Random &r, Files &f, std::string &w) {
        f["SETUP.INF"] = r.Bytes(65536);
        w += "binary script; ";
    },
    [](Random &, Files &f, std::string &w) {
        f["SETUP.INF"] = Script(std::string(1 << 20, 'L') + "\r\n", "");
        w += "1 MB line; ";
    },
    [](Random &, Files &f, std::string &w) {
        std::string many;
        for (int i = 0; i < 100000; ++i)
            many += (i % 2) ? "; comment line\r\n" : "COPY_MODE STRICT\r\n";
        f["SETUP.INF"] = Script(many, "");
        w += "100,000 lines; ";
    },
    [](Random &, Files &f, std::string &w) {
        f["SETUP.INF"] = Script(std::string("MKDIR A\0B *DESTDIR\r\nCO\0PY X Y\r\n", 32), "");
        w += "NUL bytes in lines; ";
    },
    [](Random &, Files &f, std::string &w) {
        f["SETUP.INF"] = "MKDIR *DESTDIR COPY README.TXT *DESTDIR ALLDONE";
        w += "no line ends; ";
    },
    [](Random &r, Files &f, std::string &w) {
        const auto lines = OddLines(r);
        const std::string &line = lines[r.Below(static_cast<std::uint32_t>(lines.size()))];
        f["SETUP.INF"] = Script("", line + "\r\n");
        w += "odd line '" + line.substr(0, 40) + "'; ";
    },
    [](Random &r, Files &f, std::string &w) {
        const auto lines = OddOptions(r);
        const std::string &line = lines[r.Below(static_cast<std::uint32_t>(lines.size()))];
        f["SETUP.INF"] = Script(line + "\r\n", "");
        w += "odd option '" + line.substr(0, 40) + "'; ";
    },
    [](Random &, Files &f, std::string &w) {
        std::string deep;
        for (int i = 0; i < 120; ++i)
            deep += "DEEP\\";
        f["SETUP.INF"] = Script("", "MKDIR " + deep + " *DESTDIR\r\nCOPY " + deep +
                                        "X.TXT *DESTDIR\r\nRMDIR DEEP *DESTDIR\r\n");
        w += "deep paths; ";
    },
    [](Random &, Files &f, std::string &w) {
        for (int i = 0; i < 2000; ++i)
            f["DATA\\MANY\\F" + std::to_string(i) + ".DAT"] = std::to_string(i);
        f["SETUP.INF"] = Script("", "PROGRESS START\r\nMKDIR MANY *DESTDIR\r\n"
                                    "COPYDIR MANY *DESTDIR\\MANY\r\nPROGRESS END\r\n");
        w += "COPYDIR of 2,000 files; ";
    },
    // Catalogs
    [](Random &r, Files &f, std::string &w) {
        const char *tables[] = {"SETUP.DBF", "SETUP.MDX", "SCRIPT.DBF", "SCRIPT.MDX"};
        const char *table = tables[r.Below(4)];
        Truncate(r, f[table]);
        w += std::string("truncated ") + table + "; ";
    },
    [](Random &r, Files &f, std::string &w) {
        const char *tables[] = {"SETUP.MDX", "SCRIPT.MDX", "SETUP.DBF", "SCRIPT.DBF"};
        const char *table = tables[r.Below(4)];
        Flip(r, f[table], 1 + static_cast<int>(r.Below(40)));
        w += std::string("corrupt ") + table + "; ";
    },
    // setup.ini
    [](Random &r, Files &f, std::string &w) {
        f["setup.ini"] = "[English]\r\nMessage1=" + std::string(200000, 'S') +
                         "\r\n[English\r\n=\r\nMessage2\r\n" + r.Bytes(2000);
        f["SETUP.INF"] = Script("", "MESSAGE 1 0\r\nMESSAGE 2 0\r\n");
        w += "malformed setup.ini; ";
    },
    // SETUP.BMP
    [](Random &r, Files &f, std::string &w) {
        Truncate(r, f["SETUP.BMP"]);
        w += "truncated picture; ";
    },
    [](Random &r, Files &f, std::string &w) {
        const std::int32_t sizes[] = {100000, -100000, 0, 0x7FFFFFFF, 1};
        f["SETUP.BMP"] = BitmapWithSize(sizes[r.Below(5)], sizes[r.Below(5)]);
        w += "absurd picture size; ";
    },
    [](Random &, Files &f, std::string &w) {
        f["SETUP.BMP"] = "this is not a bitmap\r\n";
        w += "picture that is text; ";
    },
};

} // namespace

int FaultKinds() {
    return static_cast<int>(std::size(kFaults));
}

Files BaseCd(const Files &sample, std::uint32_t seed) {
    Files files;
    for (const char *name :
         {"SETUP.BMP", "SETUP.DBF", "SETUP.MDX", "SCRIPT.DBF", "SCRIPT.MDX", "setup.ini"}) {
        const auto found = sample.find(name);
        if (found != sample.end())
            files[name] = found->second;
    }
    files["PXD.INI"] = Pxd("Hostile Demo", "\\Hostile" + std::to_string(seed), "1");
    files[kMarker] = "disk 1\r\n";
    files["SETUP.INF"] = Script("", "");
    files["DATA\\README.TXT"] = "read me\r\n";
    files["DATA\\SUB\\A.DAT"] = std::string(5000, 'a');
    return files;
}

Cd MakeCd(const Files &sample, std::uint32_t seed) {
    Random random(seed);
    Cd cd{BaseCd(sample, seed), {}};
    const int faults = 1 + static_cast<int>(random.Below(2));
    for (int i = 0; i < faults; ++i)
        kFaults[random.Below(static_cast<std::uint32_t>(FaultKinds()))](random, cd.files,
                                                                        cd.faults);
    return cd;
}

} // namespace hostile
