#include "app/accessible_names.h"

#include <QLabel>
#include <QWidget>

#include <array>
#include <utility>

namespace brivo::ui {
namespace {

using namespace Qt::StringLiterals;

// Control name, accessible name.
constexpr std::array<std::pair<const char16_t*, const char16_t*>, 57> kNames = {{
    {u"RichEdit", u"Zone d'édition"},
    {u"EditLive", u"Entrée directe"},
    {u"EditDebut", u"Lettres du début"},
    {u"EditFin", u"Lettres de fin"},
    {u"ImageLogo", u"Logo : masquer ou démasquer la zone d'édition"},
    {u"LabelCopyright", u"À propos de BRIVO"},
    {u"Image2", u"Bandeau : version de BRIVO"},
    {u"PageControl1", u"Pages de réglages"},
    {u"TBfreq", u"Fréquence du ton"},
    {u"TBsignal", u"Niveau du signal"},
    {u"TBsouffle", u"Souffle"},
    {u"TBvitesse", u"Vitesse des lettres"},
    {u"CSdureeSP", u"Intervalle lettres"},
    {u"ComboBoxFe", u"Fréquence d'échantillonnage"},
    {u"CBmot", u"Mot de référence de la vitesse"},
    {u"CSpinEditGroupes", u"Nombre de groupes"},
    {u"CSpinEditLettres", u"Lettres par groupe"},
    {u"CSElettres", u"Groupes de lettres"},
    {u"CSEchiffres", u"Groupes de chiffres"},
    {u"Serie1", u"Série 1"},
    {u"Serie2", u"Série 2"},
    {u"Serie3", u"Série 3"},
    {u"Serie4", u"Série 4"},
    {u"Serie5", u"Série 5"},
    {u"Serie6", u"Série 6"},
    {u"Serie7", u"Série 7"},
    {u"Serie8", u"Série 8"},
    {u"Serie9", u"Série 9"},
    {u"StringGridCW", u"Table des caractères"},
    {u"Aide", u"Texte de l'aide"},
    {u"MemoCopie", u"Copie"},
    {u"Onglets", u"Pages du contrôle de la copie"},
    {u"TexteAligne", u"Textes alignés"},
    {u"GrilleCaracteres", u"Erreurs par caractère"},
    {u"Graphique", u"Progrès"},
    {u"ComboPreset", u"Préréglage"},
    {u"ComboForme", u"Forme de la manipulation"},
    {u"ComboFiltre", u"Type de filtre"},
    {u"SEvitesseEff", u"Vitesse effective"},
    {u"SErampe", u"Vitesse de fin de rampe"},
    {u"SEmontee", u"Temps de montée"},
    {u"SEsnr", u"Rapport signal sur bruit"},
    {u"SEfiltre", u"Largeur du filtre"},
    {u"SEqsb", u"Fréquence du fading"},
    {u"SEk", u"Facteur K du fading"},
    {u"SEqrn", u"Parasites par seconde"},
    {u"SEcrashes", u"Craquements par seconde"},
    {u"SEqrm", u"Autres stations"},
    {u"SEchirp", u"Glissement de fréquence"},
    {u"SEchirpTau", u"Durée du glissement"},
    {u"SEpauseReponse", u"Pause avant la réponse parlée"},
    {u"STmasquer", u"Zone d'édition masquée"},
    {u"BoutonMenu", u"Menu de la zone d'édition"},
    {u"BoutonAide", u"Aide"},
    {u"BoutonFermerAide", u"Fermer"},
    {u"RBseries", u"Soit : les séries cochées"},
    {u"RBdirect", u"Soit : des groupes de lettres et de chiffres"},
}};

// Caption, the control it stands beside: a screen reader says the caption
// with the control.
constexpr std::array<std::pair<const char16_t*, const char16_t*>, 7> kBuddies = {{
    {u"Label2", u"CSpinEditGroupes"},
    {u"Label3", u"CSpinEditLettres"},
    {u"Label1", u"CSElettres"},
    {u"Label7", u"CSEchiffres"},
    {u"Label4", u"EditDebut"},
    {u"Label6", u"EditFin"},
    {u"StaticText3", u"CSdureeSP"},
}};

} // namespace

void nameControls(QWidget* window)
{
    for (const auto& [label, control] : kBuddies) {
        auto* caption = window->findChild<QLabel*>(QString::fromUtf16(label));
        auto* buddy = window->findChild<QWidget*>(QString::fromUtf16(control));
        if (caption != nullptr && buddy != nullptr)
            caption->setBuddy(buddy);
    }
    for (const auto& [control, name] : kNames) {
        for (QWidget* widget : window->findChildren<QWidget*>(QString::fromUtf16(control))) {
            widget->setAccessibleName(QString::fromUtf16(name));
            if (!widget->toolTip().isEmpty())
                widget->setAccessibleDescription(widget->toolTip());
        }
    }
}

} // namespace brivo::ui
