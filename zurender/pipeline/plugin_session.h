// The plug-in as the rendering host drives it: loaded by path, initialized with the host's
// settings, its layers declared, called once per pixel, finished.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/render_context.h"
#include "host/surface_record.h"
#include "hostsim/declare_service.h"
#include "hostsim/fill_service.h"
#include "hostsim/light_iterator.h"
#include "zurender/pipeline/declared_layer.h"
#include "zurender/plugin/host_settings.h"
#include "zurender/plugin/plugin_host.h"
#include "zurender/pipeline/render_job.h"
#include "zurender/settings/settings_file.h"

namespace zurender {

class TileWrites;

class PluginSession final : public PixelFiller,
                            private hostsim::DeclareProvider,
                            private hostsim::FillProvider,
                            private hostsim::LightProvider {
 public:
  // Plays the rendering host to the loaded plug-in, which must outlive the session.
  explicit PluginSession(PluginHost& plugin);
  ~PluginSession() override;

  // ZUShaderInitialize with the settings, then ZUShaderInitLayers. The declared layers, in
  // declaration order; an error when the plug-in refuses the settings or declares nothing.
  bool Begin(const PluginSettings& settings, std::vector<DeclaredLayer>& declared, std::string& error);

  // The scene's lights, as light records carry them (colour x intensity).
  void SetLights(const std::vector<hostsim::LightColour>& colours) { lights_.SetLights(colours); }

  std::int32_t FillPixel(int x, int y, std::size_t tilePixel, const PixelShade& shade, const LightSample* lights,
                         TileWrites& writes) override;

  // ZUShaderFinish.
  void End();

 private:
  std::int32_t Declare(const LayerDeclaration& declaration, std::int32_t& hostLayerId) override;
  std::int32_t GetComponent(std::int32_t component, ColourValue& value) override;
  std::int32_t WriteLayer(std::int32_t hostLayerId, const ColourValue& value) override;
  const LightOutputs* SampleOutputs() override { return samples_; }

  PluginHost& plugin_;
  hostsim::DeclareService declare_{*this};
  hostsim::FillService fill_{*this};
  hostsim::LightIterator lights_{*this};
  HostSettings settings_;  // the parameter block and the stored list, while the instance may read them
  void* instance_ = nullptr;
  bool begun_ = false;
  std::vector<DeclaredLayer> declared_;

  // The sample being filled.
  TileWrites* writes_ = nullptr;
  RenderContext context_{};
  SurfaceRecord surface_{};
  FillLayersRecord record_{};  // the same for every sample: its records change, not where they are
  const PixelShade* shade_ = nullptr;
  const LightSample* samples_ = nullptr;
  std::size_t tilePixel_ = 0;
};

}  // namespace zurender
