#include "zurender/app/render_options.h"

#include <charconv>

#include "zurender/output/psd_format.h"

namespace zurender {
namespace {

// The layered file's own limit on either side; the EXR and PNG writers take anything up to it.
constexpr int kMaxSide = kPsdMaxSide;
constexpr int kMaxThreads = 64;

bool ParseInt(const std::string& text, int& value) {
  const char* end = text.data() + text.size();
  auto [at, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && at == end && !text.empty();
}

bool ParseSize(const std::string& text, int& width, int& height) {
  const auto x = text.find('x');
  if (x == std::string::npos) return false;
  return ParseInt(text.substr(0, x), width) && ParseInt(text.substr(x + 1), height) && width >= 1 &&
         height >= 1 && width <= kMaxSide && height <= kMaxSide;
}

// One option being read: as given, its name, and its value after '=' or in the next argument.
struct Reading {
  const std::vector<std::string>& args;
  std::size_t& at;  // the option's index; moved on past a value taken from the next argument
  std::string arg, name, value;
  bool hasValue = false;

  bool Take(std::string& out) {
    if (hasValue) {
      out = value;
      return true;
    }
    if (at + 1 >= args.size()) return false;
    out = args[++at];
    return true;
  }
  std::string Unknown() const { return arg + ": unknown option (see zurender --help)"; }
};

// Each option's reading: "" when taken, else the message.
using OptionReader = std::string (*)(Reading&, RenderOptions&);

std::string Help(Reading&, RenderOptions& o) {
  o.help = true;
  return "";
}

std::string OutputFolder(Reading& r, RenderOptions& o) {
  return r.Take(o.outDir) && !o.outDir.empty() ? "" : r.name + ": expected an output folder";
}

std::string Size(Reading& r, RenderOptions& o) {
  std::string text;
  if (r.Take(text) && ParseSize(text, o.width, o.height)) return "";
  return "--size: expected WIDTHxHEIGHT, each 1 to " + std::to_string(kMaxSide) + ", such as 640x480" +
         (text.empty() ? std::string() : "; got \"" + text + "\"");
}

std::string Depth(Reading& r, RenderOptions& o) {
  std::string text;
  if (r.Take(text) && ParseInt(text, o.depth) && (o.depth == 8 || o.depth == 16 || o.depth == 32)) return "";
  return "--depth: expected 8, 16 or 32" + (text.empty() ? std::string() : "; got \"" + text + "\"");
}

std::string ExrHalf(Reading& r, RenderOptions& o) {
  if (r.hasValue) return r.Unknown();
  o.exrHalf = true;
  return "";
}

std::string Plugin(Reading& r, RenderOptions& o) {
  return r.Take(o.pluginPath) && !o.pluginPath.empty() ? "" : "--plugin: expected the plug-in library's path";
}

std::string Settings(Reading& r, RenderOptions& o) {
  return r.Take(o.settingsPath) && !o.settingsPath.empty() ? "" : "--settings: expected a settings file";
}

std::string Preset(Reading& r, RenderOptions& o) {
  return r.Take(o.preset) && !o.preset.empty() ? "" : "--layers: expected a preset: default, road, exact or all";
}

std::string KeptFile(Reading& r, std::string& path) {
  return r.Take(path) && !path.empty() ? "" : r.name + ": expected a file";
}
std::string RecordShading(Reading& r, RenderOptions& o) { return KeptFile(r, o.recordShading); }
std::string ReplayShading(Reading& r, RenderOptions& o) { return KeptFile(r, o.replayShading); }
std::string PluginWrites(Reading& r, RenderOptions& o) { return KeptFile(r, o.pluginWrites); }

std::string Threads(Reading& r, RenderOptions& o) {
  std::string text;
  if (r.Take(text) && ParseInt(text, o.threads) && o.threads >= 1 && o.threads <= kMaxThreads) return "";
  return "--threads: expected a number from 1 to " + std::to_string(kMaxThreads);
}

struct Option {
  const char* name;
  OptionReader read;
};
constexpr Option kOptions[] = {
    {"-h", Help},
    {"--help", Help},
    {"-o", OutputFolder},
    {"--out", OutputFolder},
    {"--size", Size},
    {"--depth", Depth},
    {"--exr-half", ExrHalf},
    {"--plugin", Plugin},
    {"--settings", Settings},
    {"--layers", Preset},
    {"--record-shading", RecordShading},
    {"--replay-shading", ReplayShading},
    {"--plugin-writes", PluginWrites},
    {"--threads", Threads},
};

// An argument that is no option: the scene, of which there is one at most.
std::string Operand(const std::string& arg, RenderOptions& o) {
  if (!arg.empty() && arg[0] == '-' && arg != "-") return arg + ": unknown option (see zurender --help)";
  if (!o.scenePath.empty()) return "\"" + arg + "\": only one scene can be rendered at a time";
  o.scenePath = arg;
  return "";
}

// Options that cannot go together.
std::string Conflict(const RenderOptions& o) {
  if (!o.settingsPath.empty() && !o.preset.empty())
    return "--settings and --layers both say which layers to make: give one of them";
  if (!o.replayShading.empty() && (!o.scenePath.empty() || !o.recordShading.empty()))
    return "--replay-shading takes the place of tracing a scene: give no scene and no --record-shading";
  return "";
}

}  // namespace

ParsedRenderOptions ParseRenderOptions(const std::vector<std::string>& args) {
  ParsedRenderOptions parsed;
  for (std::size_t i = 0; i < args.size() && parsed.error.empty(); ++i) {
    Reading reading{args, i, args[i], args[i], "", false};
    // Options with a value take it from the next argument or after '='.
    if (reading.arg.rfind("--", 0) == 0 && reading.arg.find('=') != std::string::npos) {
      reading.name = reading.arg.substr(0, reading.arg.find('='));
      reading.value = reading.arg.substr(reading.arg.find('=') + 1);
      reading.hasValue = true;
    }
    const Option* option = nullptr;
    for (const Option& known : kOptions)
      if (reading.name == known.name) option = &known;
    parsed.error = option != nullptr ? option->read(reading, parsed.options) : Operand(reading.arg, parsed.options);
  }
  if (parsed.error.empty()) parsed.error = Conflict(parsed.options);
  return parsed;
}

std::string RenderUsage() {
  return R"(usage: zurender [SCENE] [options]
       zurender layers FILE COMMAND ...   edit a settings file through the Layers dialog
       zurender check DIR                 check that the layers in DIR rebuild the render
       zurender studio [SCENE]            the Layers dialog and renders on a local web page

Renders a scene through the ZU Layers plug-in, exactly as the rendering host drives it, and writes
the layers it declares into a folder an artist opens.

  SCENE              a scene file in JSON (docs/scene-format.md); without one, the built-in scene

options:
  -o, --out DIR      output folder, made if missing (default: out)
  --size WxH         image size in pixels (default: 640x480)
  --depth 8|16|32    bits per channel of render.psd (default: 16); image editors that read
                     only integer layers open 8 and 16 bits (docs/layers.md says which)
  --exr-half         render.exr's layers in 16-bit half floats: half the size, but lossy
                     (about three decimal digits; values past 65504 become infinite)
  --settings FILE    the plug-in's settings: a file made by `zurender layers FILE ...`
  --layers PRESET    the layers of a preset, made through the Layers dialog: default, road
                     (Diffuse Pack, Lights, Specular), exact (rebuilds the render), all
  --plugin LIB       the plug-in library (default: ZU_Layers beside this program)
  --threads N        tracing threads (default: one per core)
  -h, --help         this text

For comparing two builds of the plug-in (for example the .so and the .shl) on the same inputs:
  --record-shading FILE   keep every answer the host gives the plug-in (components, lights,
                          contexts) in FILE
  --replay-shading FILE   give the plug-in the answers kept in FILE instead of tracing a scene
  --plugin-writes FILE    keep every value the plug-in writes, per layer and pixel, in FILE

Written into DIR, each file complete or not at all:
  render.psd           one layer per declared layer, first declared on top, with its blend mode;
                       linear values with an embedded linear-light profile; merged image = Final
  render.exr           every layer as 32-bit float channels <layer>.R/G/B/A (ZIP, lossless),
                       colour premultiplied by alpha, blend keys as attributes; its R/G/B/A
                       are the Final Render
  layers/NN-<name>.png 8-bit sRGB previews of each layer
  contact-sheet.png    every layer in a labelled grid
  manifest.json        scene, settings, and per layer its name, kind, blend key, component, who
                       filled it and whether it is visible; timings

The time written into render.exr is the time of the render, or SOURCE_DATE_EPOCH when that is
set, so that the same render gives the same files.

Exit status: 0 when the render and every file were written and the files could be checked,
1 otherwise.
)";
}

}  // namespace zurender
