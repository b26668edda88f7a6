// make-osc: writes an oscilloscope recording (*.OSC) with synthetic channels.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/text.h"
#include "tools/samples/osc_sample.h"

namespace {

using vetra::samples::OscChannel;
using vetra::samples::OscOptions;
using vetra::samples::OscWave;

constexpr char kUsage[] =
    "usage: make-osc [options] OUTPUT.OSC\n"
    "  --channel TYPE:WAVE[,key=value...]  add a channel (repeatable); without any, a demo set\n"
    "        TYPE 0..11 (0-5 volts, 6 low current, 7 vacuum, 8 pressure, 9 high current,\n"
    "        10 ignition secondary, 11 spare); WAVE flat|square|sine|ignition|pressure;\n"
    "        keys: range, freq (Hz), duty (%), low, high, level (raw 0..4095), bipolar, ac,\n"
    "        auto, peak, title (UTF-8)\n"
    "  --timebase N          time-base index 0..12 (default 3, 1.5 ms/div)\n"
    "  --steps N             length in steps (two samples of every channel)\n"
    "  --windows N[xC]       length of N screens at compression C (default 1)\n"
    "  --bytes N             whole file length in bytes\n"
    "  --no-tail             no version tail\n"
    "  --version V           version in the tail (default 1.01)\n"
    "  --pressure-flag N     pressure unit flag in the tail\n"
    "  --clamp 1000|100      high-current clamp\n"
    "  --new-probe           the newer low-current probe\n"
    "  --noise N             raw counts of noise (default 0; the demo set uses 3)\n"
    "  --seed N              noise seed\n";

[[noreturn]] void Fail(const std::string& message)
{
  std::fprintf(stderr, "make-osc: %s\n%s", message.c_str(), kUsage);
  std::exit(2);
}

long long Number(std::string_view text, const char* what)
{
  char* end = nullptr;
  const std::string copy(text);
  const long long value = std::strtoll(copy.c_str(), &end, 10);
  if (copy.empty() || *end != '\0') Fail(std::string("bad ") + what + ": " + copy);
  return value;
}

double Real(std::string_view text, const char* what)
{
  char* end = nullptr;
  const std::string copy(text);
  const double value = std::strtod(copy.c_str(), &end);
  if (copy.empty() || *end != '\0') Fail(std::string("bad ") + what + ": " + copy);
  return value;
}

OscChannel ParseChannel(std::string_view description)
{
  OscChannel channel;
  const auto colon = description.find(':');
  if (colon == std::string_view::npos) Fail("a channel is TYPE:WAVE");
  channel.type = static_cast<int>(Number(description.substr(0, colon), "channel type"));
  std::string_view rest = description.substr(colon + 1);
  const auto comma = rest.find(',');
  const std::string_view wave = rest.substr(0, comma);
  if (wave == "flat") channel.wave = OscWave::flat;
  else if (wave == "square") channel.wave = OscWave::square;
  else if (wave == "sine") channel.wave = OscWave::sine;
  else if (wave == "ignition") channel.wave = OscWave::ignitionPrimary, channel.range = 9, channel.frequencyHz = 25, channel.polarity = 0;
  else if (wave == "pressure") channel.wave = OscWave::pressure, channel.frequencyHz = 6.25;
  else Fail("unknown wave " + std::string(wave));
  rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
  while (!rest.empty()) {
    const auto next = rest.find(',');
    const std::string_view item = rest.substr(0, next);
    rest = next == std::string_view::npos ? std::string_view() : rest.substr(next + 1);
    const auto equals = item.find('=');
    const std::string_view key = item.substr(0, equals);
    const std::string_view value = equals == std::string_view::npos ? std::string_view("1") : item.substr(equals + 1);
    if (key == "range") channel.range = static_cast<int>(Number(value, "range"));
    else if (key == "freq") channel.frequencyHz = Real(value, "frequency");
    else if (key == "duty") channel.dutyPercent = Real(value, "duty");
    else if (key == "low") channel.low = static_cast<int>(Number(value, "low"));
    else if (key == "high") channel.high = static_cast<int>(Number(value, "high"));
    else if (key == "level") channel.level = static_cast<int>(Number(value, "level"));
    else if (key == "bipolar") channel.polarity = 0;
    else if (key == "ac") channel.coupling = 0;
    else if (key == "auto") channel.autoFlag = 1;
    else if (key == "peak") channel.peak = 1;
    else if (key == "title") channel.title = vetra::Cp949(value);
    else Fail("unknown channel key " + std::string(key));
  }
  return channel;
}

}  // namespace

int main(int argc, char** argv)
{
  OscOptions options = vetra::samples::DemoOscOptions();
  std::vector<OscChannel> channels;
  std::string output;
  bool noiseGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto value = [&]() -> std::string_view {
      if (i + 1 >= argc) Fail(std::string(arg) + " needs a value");
      return argv[++i];
    };
    if (arg == "--channel") channels.push_back(ParseChannel(value()));
    else if (arg == "--timebase") options.timeBase = static_cast<int>(Number(value(), "time base"));
    else if (arg == "--steps") options.steps = Number(value(), "steps"), options.fileBytes.reset();
    else if (arg == "--windows") {
      const std::string_view text = value();
      const auto x = text.find('x');
      const long long windows = Number(text.substr(0, x), "windows");
      const long long compression = x == std::string_view::npos ? 1 : Number(text.substr(x + 1), "compression");
      options.steps = vetra::samples::OscStepsForWindows(windows, static_cast<int>(compression));
      options.fileBytes.reset();
    }
    else if (arg == "--bytes") options.fileBytes = static_cast<std::uint64_t>(Number(value(), "bytes"));
    else if (arg == "--no-tail") options.versionTail = false;
    else if (arg == "--version") options.version = static_cast<float>(Real(value(), "version"));
    else if (arg == "--pressure-flag") options.pressureUnitFlag = static_cast<int>(Number(value(), "pressure flag"));
    else if (arg == "--clamp") options.clamp1000 = Number(value(), "clamp") == 1000;
    else if (arg == "--new-probe") options.newLowCurrentProbe = true;
    else if (arg == "--noise") options.noise = static_cast<int>(Number(value(), "noise")), noiseGiven = true;
    else if (arg == "--seed") options.seed = static_cast<std::uint32_t>(Number(value(), "seed"));
    else if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    else if (!arg.empty() && arg[0] == '-') Fail("unknown option " + std::string(arg));
    else if (output.empty()) output = arg;
    else Fail("one output file only");
  }
  if (output.empty()) Fail("no output file");
  if (!channels.empty()) {
    options.channels = channels;
    if (!noiseGiven) options.noise = 0;
  }
  if (!vetra::samples::WriteOsc(output, options)) {
    std::fprintf(stderr, "make-osc: cannot write %s\n", output.c_str());
    return 1;
  }
  return 0;
}
