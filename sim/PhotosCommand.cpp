// `photos`: the device's photo library, where the image picker finds pictures.
#include "Command.h"
#include "PhotoLibrary.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace sim {

void addPhotosCommands(cli::App& app, Command& command) {
    cli::App* photos =
        app.add_subcommand("photos", "The device's photo library, as the image picker shows it");
    photos->require_subcommand(1);

    auto files = std::make_shared<std::vector<std::string>>();
    cli::App* add = photos->add_subcommand("add", "Copy JPEG or PNG pictures into the photo library");
    add->add_option("FILE", *files, "Picture files of this machine")->required();
    add->callback([&command, files] {
        command.device();
        for (const std::string& name : PhotoLibrary::add(*files))
            std::printf("added %s\n", name.c_str());
    });

    cli::App* list = photos->add_subcommand("list", "List the photos: name, format, size in pixels, bytes");
    list->callback([&command] {
        command.device();
        std::printf("%-14s %-6s %-11s %s\n", "PHOTO", "FORMAT", "PIXELS", "BYTES");
        for (const PhotoLibrary::Photo& photo : PhotoLibrary::list()) {
            const PhotoLibrary::Picture& picture = photo.picture;
            const std::string pixels =
                picture.width ? std::to_string(picture.width) + "x" + std::to_string(picture.height)
                              : "unreadable";
            std::printf("%-14s %-6s %-11s %zu\n", photo.name.c_str(),
                        picture.format.empty() ? "-" : picture.format.c_str(), pixels.c_str(),
                        picture.bytes.size());
        }
    });
}

} // namespace sim
