// corvane-make-templates <folder>: writes the document templates Z740E_0.dat .. Z740E_2.dat into
// the resource folder at build time, so no opaque binary is ever kept in the repository.

#include "model/data_file.h"
#include "model/document_files.h"
#include "model/model_band.h"
#include "model/safe_file.h"

#include <filesystem>
#include <iostream>
#include <string>

using namespace corvane;

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::cerr << "usage: corvane-make-templates <resource folder>\n";
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    for (model::Integer band = 0; band < static_cast<model::Integer>(model::kBandTexts.size()); ++band) {
        model::CurrentModel current;
        current.currentBand = std::string(model::kBandTexts[static_cast<std::size_t>(band)]);
        const std::filesystem::path file = folder / model::templateFileName(current);
        if (!model::writeFileAtomically(file, model::serializeDocument(model::shippedTemplate(band)))) {
            std::cerr << "corvane-make-templates: cannot write " << file.string() << "\n";
            return 1;
        }
    }
    return 0;
}
