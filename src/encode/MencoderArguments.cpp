#include "encode/MencoderArguments.h"

#include "encode/DecisionCode.h"

namespace tessaro {

std::string MencoderArguments(int8_t code, ScaleTarget scale, int bitrate) {
    std::string arguments;
    if (decision::AudioToMp3(code)) arguments += "-af volnorm -srate 44100 ";
    arguments += "-vf-add ";
    if (decision::Scales(code))
        arguments +=
            "scale=" + std::to_string(scale.width) + ":" + std::to_string(scale.height) + ",";
    arguments += "harddup";
    arguments +=
        decision::AudioToMp3(code) ? " -oac mp3lame -lameopts cbr:br=128:mode=0" : " -oac copy";
    if (decision::ReencodesVideo(code))
        arguments += " -ovc xvid -xvidencopts bitrate=" + std::to_string(bitrate) +
                     ":threads=2:max_bframes=0";
    else
        arguments += " -ovc copy";
    return arguments;
}

}  // namespace tessaro
