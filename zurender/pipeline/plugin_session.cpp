#include "zurender/pipeline/plugin_session.h"

#include <cstring>

#include "hostsim/records.h"
#include "zurender/pipeline/frame.h"

namespace zurender {
namespace {

// The answer to a request the host has nothing for: a component it does not produce, or a write
// into a layer it never declared.
constexpr std::int32_t kRefused = 1;

}  // namespace

PluginSession::PluginSession(PluginHost& plugin) : plugin_(plugin) { plugin_.Become(kRenderHostCode); }

PluginSession::~PluginSession() { End(); }

bool PluginSession::Begin(const PluginSettings& settings, std::vector<DeclaredLayer>& declared, std::string& error) {
  if (!settings_.Set(settings, error)) return false;
  ShaderRecord shader = hostsim::MakeShaderRecord(plugin_.allocator(), settings_.params());
  const std::int32_t initialized = plugin_.entry().initialize(&shader);
  begun_ = true;
  instance_ = shader.instance;
  if (initialized != 0 || instance_ == nullptr) {
    error = initialized != 0 ? "the plug-in could not make its instance (result " + std::to_string(initialized) + ")"
                             : NoInstanceReason(settings);
    return false;
  }
  InitLayersRecord layers = hostsim::MakeInitLayersRecord(instance_, declare_.function());
  const std::int32_t result = plugin_.entry().initLayers(&layers);
  if (result != 0) {
    error = "the plug-in's layer declaration failed (result " + std::to_string(result) + ")";
    return false;
  }
  declared = declared_;
  record_ = hostsim::MakeFillLayersRecord(instance_, lights_.function(), &context_, &surface_, fill_.function());
  return true;
}

std::int32_t PluginSession::FillPixel(int x, int y, std::size_t tilePixel, const PixelShade& shade,
                                      const LightSample* lights, TileWrites& writes) {
  context_.pixelX = x;
  context_.pixelY = y;
  context_.transparencyFirst = shade.transparencyFirst;
  context_.transparencySecond = shade.transparencySecond;
  std::memcpy(surface_.backLightColour, shade.backLightColour, sizeof surface_.backLightColour);
  surface_.lightExponent = shade.lightExponent;
  shade_ = &shade;
  samples_ = lights;
  tilePixel_ = tilePixel;
  writes_ = &writes;
  return plugin_.entry().fillLayers(&record_);
}

void PluginSession::End() {
  if (!begun_) return;
  ShaderRecord shader = hostsim::MakeShaderRecord(plugin_.allocator(), nullptr, 0);
  shader.instance = instance_;
  plugin_.entry().finish(&shader);
  begun_ = false;
  instance_ = nullptr;
}

std::int32_t PluginSession::Declare(const LayerDeclaration& declaration, std::int32_t& hostLayerId) {
  declared_.push_back(FromDeclaration(declaration));
  hostLayerId = Frame::HostIdOf(declared_.size() - 1);
  return 0;
}

std::int32_t PluginSession::GetComponent(std::int32_t component, ColourValue& value) {
  if (component < 1 || component >= kComponentSlots) return kRefused;
  value = shade_->component[component];
  return 0;
}

std::int32_t PluginSession::WriteLayer(std::int32_t hostLayerId, const ColourValue& value) {
  return writes_->Write(hostLayerId, tilePixel_, value) ? 0 : kRefused;
}

}  // namespace zurender
