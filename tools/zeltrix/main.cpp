// The zeltrix command: inspect class infos, convert, run and check form files.
#include <cstdio>
#include <cstring>

namespace zeltrix::tool {
int Inspect(int Argc, char** Argv);
int Run(int Argc, char** Argv);
int Check(int Argc, char** Argv);
} // namespace zeltrix::tool
int RunConvert(int argc, char** argv);

namespace {
const char* const Usage =
    "usage: zeltrix COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  inspect [--json] [CLASS...]      metadata of the class infos\n"
    "  convert IN OUT [--to text|binary] convert a form file\n"
    "  run FORM [--save OUT] [STEP]...  load a form, connect, perform steps (or show the form)\n"
    "  check FORM                       report connections that would not connect\n"
    "\n"
    "'zeltrix COMMAND --help' explains a command's arguments.\n";
}

int main(int argc, char** argv) {
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        std::fputs(Usage, stdout);
        return argc < 2 ? 2 : 0;
    }
    if (!std::strcmp(argv[1], "inspect")) return zeltrix::tool::Inspect(argc - 2, argv + 2);
    if (!std::strcmp(argv[1], "convert")) return RunConvert(argc - 2, argv + 2);
    if (!std::strcmp(argv[1], "run")) return zeltrix::tool::Run(argc - 2, argv + 2);
    if (!std::strcmp(argv[1], "check")) return zeltrix::tool::Check(argc - 2, argv + 2);
    std::fprintf(stderr, "zeltrix: unknown command '%s'\n%s", argv[1], Usage);
    return 2;
}
