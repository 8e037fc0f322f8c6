#include "Command.h"

#include "HexColorCodec.h"

#include <cstdio>

namespace sim {

void addColourCommands(cli::App& app, Command&) {
    auto text = std::make_shared<std::string>();
    auto variant = std::make_shared<std::string>("engine");
    cli::App* colour = app.add_subcommand("colour", "Hex colour strings");
    colour->require_subcommand(1);
    cli::App* parse =
        colour->add_subcommand("parse", "Print red, green, blue, alpha and the hex form of STRING");
    parse->add_option("STRING", *text)->required();
    parse->add_option("--variant", *variant, "Which parse: the engine's, the pane's or the link rows'")
        ->check(cli::IsMember({"engine", "pane", "link"}));
    parse->callback([text, variant] {
        rt::Ref<UIColor> result = *variant == "link"
                                      ? HexColorCodec::colorWithSixDigitHexString(*text)
                                      : HexColorCodec(*variant == "engine" ? HexColorCodec::Variant::engine
                                                                           : HexColorCodec::Variant::pane)
                                            .colorWithHexString(*text);
        UIColor::Components c = result->components();
        std::printf("%.6f %.6f %.6f %.6f %s\n", c.red, c.green, c.blue, c.alpha,
                    HexColorCodec::hexStringFromColor(result).c_str());
    });
}

} // namespace sim
