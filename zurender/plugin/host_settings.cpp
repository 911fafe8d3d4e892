#include "zurender/plugin/host_settings.h"

#include <cstring>

#include "host/parameter_block.h"
#include "hostsim/stored_block.h"

namespace zurender {

bool HostSettings::Set(const PluginSettings& settings, std::string& error) {
  hostsim::ParamWords words = settings.words;
  words.storedList = 0;  // nothing stored, unless the list below is
  block_.reset();
  if (!settings.storedList.empty()) {
    if (settings.storedList.size() > hostsim::kStoredBlockBytes) {
      error = "the stored layer list is " + std::to_string(settings.storedList.size()) + " bytes, more than the " +
              std::to_string(hostsim::kStoredBlockBytes) + " the host keeps";
      return false;
    }
    block_.reset(new std::uint8_t[hostsim::kStoredBlockBytes]());
    std::memcpy(block_.get(), settings.storedList.data(), settings.storedList.size());
    words.storedList = hostsim::HostAddress(block_.get());
  }
  params_ = hostsim::EncodeParamBlock(words);
  return true;
}

std::string NoInstanceReason(const PluginSettings& settings) {
  if (settings.words.magic != kParamBlockMagic || settings.words.version != kParamBlockVersion)
    return "the settings' parameter block is not the plug-in's (it takes magic \"LYER\" and version 1)";
  return "no layer of the list is on: there is nothing to render";
}

}  // namespace zurender
