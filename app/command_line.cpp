#include "app/command_line.h"

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

namespace karsobel::qt {

namespace {

constexpr std::string_view helpText =
    R"(Usage: karsobel [OPTION]...
Open the Karsobel window, which adds letters in pairs.

Type into the narrow input box on the left: every second change of the box adds up
the places in the alphabet of its first two characters (A = 1 to Z = 26, either case,
wrapping past 26), appends that capital letter to the wide output box on the right,
empties the input box and puts the focus back in it. The Clear button between them
empties the output box. Closing the window ends the program; nothing is saved.

Options:
  -h, --help     display this help and exit
  -v, --version  display the version and exit

Qt's standard options are accepted as well, among them -platform NAME, -display
DISPLAY (X11), -style STYLE and -qwindowtitle TITLE.

Exit status:
  0  the window was closed, or --help or --version answered
  1  no display could be reached
  2  an unknown option or an unexpected argument
)";

enum class QtValue { none, separate, separateOrAttached };

struct QtOption {
    std::string_view name;
    QtValue value;
};

// The options QApplication, QGuiApplication and the xcb platform take out of the command line;
// `separateOrAttached` ones also take "-name=value".
constexpr std::array qtOptions{
    QtOption{"platform", QtValue::separate},      QtOption{"platformpluginpath", QtValue::separate},
    QtOption{"platformtheme", QtValue::separate}, QtOption{"plugin", QtValue::separate},
    QtOption{"qwindowgeometry", QtValue::separate}, QtOption{"qwindowicon", QtValue::separate},
    QtOption{"qwindowtitle", QtValue::separate},  QtOption{"reverse", QtValue::none},
    QtOption{"session", QtValue::separate},       QtOption{"testability", QtValue::none},
    QtOption{"display", QtValue::separate},       QtOption{"geometry", QtValue::separate},
    QtOption{"title", QtValue::separate},         QtOption{"icon", QtValue::separate},
    QtOption{"name", QtValue::separate},          QtOption{"visual", QtValue::separate},
    QtOption{"sync", QtValue::none},              QtOption{"nograb", QtValue::none},
    QtOption{"dograb", QtValue::none},            QtOption{"widgetcount", QtValue::none},
    QtOption{"style", QtValue::separateOrAttached},
    QtOption{"stylesheet", QtValue::separateOrAttached},
    QtOption{"qmljsdebugger", QtValue::separateOrAttached},
};

enum class QtMatch { notQt, complete, valueFollows };

// Whether an argument is one of Qt's options, after one dash or two as Qt takes them, and whether
// its value is the next argument.
QtMatch matchQtOption(std::string_view argument) {
    if (argument.size() < 2 || argument[0] != '-') {
        return QtMatch::notQt;
    }
    const std::string_view withValue = argument.substr(argument[1] == '-' ? 2 : 1);
    const std::size_t equals = withValue.find('=');
    const std::string_view name = withValue.substr(0, equals);
    const bool attached = equals != std::string_view::npos;
    for (const QtOption& option : qtOptions) {
        if (option.name != name || (attached && option.value != QtValue::separateOrAttached)) {
            continue;
        }
        return option.value == QtValue::none || attached ? QtMatch::complete : QtMatch::valueFollows;
    }
    return QtMatch::notQt;
}

int usageError(const std::string& message) {
    std::fprintf(stderr, "karsobel: %s\nTry 'karsobel --help' for more information.\n",
                 message.c_str());
    return 2;
}

} // namespace

std::optional<int> answerCommandLine(int argc, const char* const argv[]) {
    bool help = false;
    bool version = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            help = true;
        } else if (argument == "-v" || argument == "--version") {
            version = true;
        } else if (const QtMatch qt = matchQtOption(argument); qt != QtMatch::notQt) {
            if (qt == QtMatch::valueFollows && ++i == argc) {
                return usageError("option '" + std::string(argument) + "' needs a value");
            }
        } else if (argument.size() > 1 && argument[0] == '-') {
            return usageError("unknown option '" + std::string(argument) + "'");
        } else {
            return usageError("unexpected argument '" + std::string(argument) + "'");
        }
    }
    if (help) {
        std::fwrite(helpText.data(), 1, helpText.size(), stdout);
        return 0;
    }
    if (version) {
        std::printf("Karsobel %s\n", KARSOBEL_VERSION);
        return 0;
    }
    return std::nullopt;
}

} // namespace karsobel::qt
