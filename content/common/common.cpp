#include "common/common.h"

#include "common/picture_names.h"

namespace common {

quiz::ResultTexts resultTexts()
{
    return {
        QStringLiteral("Résultat"),
        QStringLiteral("Note : "),
        {
            QStringLiteral("/20 Réessaye, tu dois pouvoir faire mieux !"),
            QStringLiteral("/20 Parfait c'est un sans fautes !"),
            QStringLiteral("/20 Très bon travail."),
            QStringLiteral("/20 Bon travail mais peux tu faire mieux ? Réssaye pour le savoir."),
        },
    };
}

std::string subtitle() { return "Représentation du réel. Korvessa"; }

std::string programIcon() { return picture_names::programIcon(); }
std::string exerciseIcon() { return picture_names::exerciseIcon(); }
std::string aidIcon() { return picture_names::aidIcon(); }

}  // namespace common
