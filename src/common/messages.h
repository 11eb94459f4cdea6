#pragma once

#include "common/version.h"

#include <cstdint>
#include <string>
#include <string_view>

// Every text the program shows in a message box or prints as an error, in
// UTF-8, shared by the window and the command-line tools. Titles begin with
// a blank, as the window's boxes show them.
namespace brivo::messages {

inline std::string quoted(std::string_view text)
{
    return "« " + std::string(text) + " »";
}

// Rendering.
inline constexpr std::string_view kNoDataTitle = " Pas de données :";
inline constexpr std::string_view kEmptyText = "La zone de saisie ne contient\naucun texte à convertir en son !";
inline constexpr std::string_view kRenderErrorTitle = "Erreur...";
inline constexpr std::string_view kTooLong = "Le texte est trop long : le fichier sonore dépasserait 4 Go.";
inline constexpr std::string_view kNoFileGenerated = "Pas de fichier Généré !";

inline std::string cannotCreate(std::string_view path, std::string_view reason)
{
    return "Impossible de créer " + quoted(path) + " : " + std::string(reason);
}
inline std::string writeInterrupted(std::string_view path, std::string_view reason)
{
    return "Écriture de " + quoted(path) + " interrompue : " + std::string(reason);
}
// The reason given for a file refused by its size.
inline std::string fileTooLarge(std::uintmax_t maxBytes)
{
    const std::uintmax_t mega = maxBytes >> 20U;
    return mega > 0 ? "le fichier dépasse " + std::to_string(mega) + " Mo"
                    : "le fichier dépasse " + std::to_string(maxBytes) + " octets";
}

inline std::string cannotRead(std::string_view path, std::string_view reason)
{
    return "Impossible de lire " + quoted(path) + " : " + std::string(reason);
}
inline std::string cannotOpen(std::string_view path, std::string_view reason)
{
    return "Impossible d'ouvrir le fichier " + quoted(path) + " : " + std::string(reason);
}

// The edit zone's files and colours.
inline std::string cannotSave(std::string_view path, std::string_view reason)
{
    return "Impossible d'enregistrer " + quoted(path) + " : " + std::string(reason);
}
// Said when a command has put an exercise in the edit zone, instead of the
// exercise itself.
inline std::string textInserted(int characters)
{
    std::string said = "Texte inséré : ";
    said += std::to_string(characters);
    said += characters == 1 ? " caractère." : " caractères.";
    return said;
}

inline constexpr std::string_view kNotAFile = "ce n'est pas un fichier ordinaire.";

inline std::string fileTooLarge(std::string_view path)
{
    return "Le fichier " + quoted(path) + " est trop grand pour la zone d'édition (16 Mo au plus)";
}
inline constexpr std::string_view kColourTitle = " Attention :";
inline constexpr std::string_view kSameTextColour =
    "Il est interdit de prendre la même couleur pour le texte que pour le fond. Pour\nchoisir cette couleur de "
    "texte, commencez par modifier la couleur du fond.";
inline constexpr std::string_view kSameBackgroundColour =
    "Il est interdit de prendre la même couleur pour le fond que pour le texte. Pour\nchoisir cette couleur du "
    "fond, commencez par modifier la couleur du texte.";

// The code definition file.
inline constexpr std::string_view kDefinitionCreateTitle = "Erreur de création du fichier CODMORSE.INI";
inline constexpr std::string_view kDefinitionCreateFailed =
    "Les définitions du code morse se trouvent dans le\nfichier \"CODMORSE.INI\" ; celui-ci étant absent, le\n"
    "programme a tenté de le recréer, mais le disque\nsemble plein ou protégé en écriture";
inline constexpr std::string_view kDefinitionMissingTitle = "Erreur d'exécution du programme";
inline constexpr std::string_view kDefinitionMissing = "Fichier CODMORSE.INI introuvable :\nLe programme va se fermer.";

// The random fill.
inline constexpr std::string_view kFillTitle = " Remplir l'écran :";
inline constexpr std::string_view kNoSeriesTicked = "Il n'y a rien à générer :\n\nVous devez sélectionner les séries "
                                                    "à partir\ndesquelles sera effectué un tirage aléatoire\ndes "
                                                    "lettres.";
inline constexpr std::string_view kNoGroups =
    "Il n'y a rien à générer :\n\nVous devez choisir un nombre de groupes de\nlettres et/ou de groupes de chiffres "
    "non nul !";

// The course, when its history cannot be read.
inline constexpr std::string_view kCourseInMemory =
    "\n\nLe cours se poursuit en mémoire, depuis sa première leçon : rien de ce que vous ferez ne sera gardé.";

// The settings file.
// A one-line value (the conditions, the course) with words that did not
// read or values brought back within the controls' ranges.
inline std::string settingsLineAdjusted(std::string_view name, std::string_view words)
{
    return "Paramètre " + quoted(name) + " : valeurs ignorées ou ramenées dans leurs bornes (" + std::string(words) +
           "). Les valeurs corrigées seront enregistrées à la fermeture";
}
inline std::string settingsNotSaved(std::string_view path, std::string_view reason)
{
    return "Les paramètres n'ont pas pu être enregistrés dans " + quoted(path) + " : " + std::string(reason) +
           ". Ils seront ceux du lancement précédent";
}
inline std::string settingsSetAside(std::string_view path, std::string_view reason, std::string_view aside)
{
    return "Impossible de lire " + quoted(path) + " : " + std::string(reason) + ". Le fichier est mis de côté sous " +
           quoted(aside) + " ; les paramètres de départ sont pris et seront enregistrés à la fermeture";
}
inline std::string settingsKeptUnread(std::string_view path, std::string_view reason)
{
    return "Impossible de lire " + quoted(path) + " : " + std::string(reason) +
           ". Les paramètres de départ sont pris ; le fichier ne sera pas remplacé";
}
// The mark beside the status line while reception conditions are on.
inline constexpr std::string_view kConditionsMarkHint = "Conditions de réception actives (Ctrl+J pour les régler)";
inline constexpr std::string_view kPurgeTitle = " Purger le registre et quitter...";
inline std::string purgeQuestion(std::string_view path)
{
    return "Fichier  [" + std::string(path) +
           "]\n\nLe programme sauvegarde ses paramètres dans un fichier de paramètres ; si vous décidez de ne plus "
           "l'utiliser, cette option vous permet de le quitter en retirant toutes les informations qui ont été "
           "placées dans ce fichier. En cas d'utilisation ultérieure, le programme utilisera simplement ses "
           "paramètres par défaut, comme lors du premier lancement.\n\nVoulez-vous quitter le programme en "
           "purgeant le fichier de paramètres ?";
}

// The sound device.
inline constexpr std::string_view kNoAudio = "Aucun périphérique audio n'est disponible : ";
inline constexpr std::string_view kNoAudioInput = "Aucune entrée son n'est disponible : ";
inline constexpr std::string_view kNothingCameBack =
    "Aucune impulsion n'est revenue : reliez la sortie son à l'entrée par un câble, puis montez le niveau "
    "d'entrée.";
inline constexpr std::string_view kAudioLost = "Lecture interrompue : la sortie audio a disparu";
inline constexpr std::string_view kAudioOpenFailed = "Le périphérique audio ne peut pas être ouvert : ";

// The about box and the version box, for the program's version.
inline std::string aboutTitle()
{
    return " Informations sur BRIVO v" + std::string(kVersion) + " : ";
}
inline std::string aboutText()
{
    return "BRIVO v" + std::string(kVersion) +
           " : apprentissage de la lecture au son du code morse.\n\n"
           "Écrit et entretenu par les développeurs de BRIVO. Logiciel libre, distribué sous la licence publique "
           "générale GNU (GPL), version 3 ou toute version ultérieure, sans aucune garantie.\n\n"
           "Vous pouvez le copier, le modifier et le redistribuer librement.";
}
inline constexpr std::string_view kVersionTitle = "Programme de lecture au son";
inline std::string versionText()
{
    return "BRIVO, par les développeurs de BRIVO - v" + std::string(kVersion);
}

// The copy check.
inline std::string checkTooLong(std::size_t limit)
{
    return "Texte trop long pour la correction : au plus " + std::to_string(limit) + " caractères par texte.";
}
inline std::string checkTooManyErrors()
{
    return "La copie s'écarte trop d'un texte si long pour être corrigée : corrigez-la par parties.";
}

inline constexpr std::string_view kCheckTitle = " Contrôle de la copie :";
inline constexpr std::string_view kNothingSent = "La zone de saisie est vide : il n'y a rien à comparer.";
inline constexpr std::string_view kCheckNotForCourse =
    "La zone de saisie ne contient plus le texte de la séance : ce contrôle est gardé dans l'historique, sans "
    "compter pour le cours.";
inline constexpr std::string_view kNoWeakCharacters =
    "Aucune erreur dans les derniers contrôles : il n'y a pas de point faible à exercer.";
inline constexpr std::string_view kHistoryTooNew =
    "il a été créé par une version plus récente de BRIVO et n'est pas modifié";
inline constexpr std::string_view kHistoryForeign =
    "ce n'est pas un historique de BRIVO (sa table « sessions » vient d'un autre programme) ; il n'est pas modifié";
inline std::string historyNotSaved(std::string_view path, std::string_view reason)
{
    return "Le contrôle n'a pas pu être ajouté à l'historique " + quoted(path) + " : " + std::string(reason) + ".";
}
inline std::string historyNotRead(std::string_view path, std::string_view reason)
{
    return "Impossible de lire l'historique " + quoted(path) + " : " + std::string(reason) + ".";
}

// Rich text files.
inline constexpr std::string_view kNotRtf = "Le fichier n'est pas au format RTF.";
inline constexpr std::string_view kRtfTooDeep = "Le fichier RTF est trop imbriqué pour être lu.";

// The settings file.
inline constexpr std::string_view kSettingsTooLarge = "le fichier dépasse 64 Mo, ce n'est pas un fichier de paramètres";

// The player.
inline constexpr std::string_view kSidetoneFailed = "Le son de contrôle n'a pas pu démarrer.";

// The reception conditions (the speeds already in words, "12,5").
inline std::string effectiveTooFast(std::string_view effectiveWpm, std::string_view characterWpm)
{
    return "La vitesse effective (" + std::string(effectiveWpm) +
           " mots/mn) doit être inférieure à la vitesse des caractères (" + std::string(characterWpm) + " mots/mn).";
}

// The spoken answers.
inline constexpr std::string_view kNoFrenchVoice = "La voix française d'espeak-ng n'est pas disponible.";
inline std::string voiceFailed(std::string_view text)
{
    return "espeak-ng n'a pas pu dire " + quoted(text) + ".";
}
inline constexpr std::string_view kVoiceNotResampled = "La voix n'a pas pu être mise à la fréquence du son.";

// The export.
inline constexpr std::string_view kExportCancelled = "Exportation annulée.";
inline constexpr std::string_view kControlInFileName =
    "le nom du fichier contient un caractère de contrôle (saut de ligne, tabulation...).";
inline constexpr std::string_view kTagNotUtf8 = "une étiquette n'est pas du texte UTF-8 valide.";
inline constexpr std::string_view kControlInTag =
    "une étiquette contient un caractère de contrôle (saut de ligne, tabulation...).";
inline constexpr std::string_view kOneLineOneTrack =
    "la découpe par ligne ne donne qu'une piste : le texte n'a qu'une ligne.";
inline std::string tooShortToSplit(std::string_view minutes)
{
    return "la découpe toutes les " + std::string(minutes) +
           " minutes ne donne qu'une piste : le texte dure moins "
           "longtemps.";
}
inline std::string cannotWrite(std::string_view path, std::string_view reason)
{
    return "Impossible d'écrire " + quoted(path) + " : " + std::string(reason);
}

// The course and its material.
inline std::string orderRepeats(std::string_view character)
{
    return "Ordre refusé : le caractère " + quoted(character) + " y est deux fois.";
}
inline std::string orderNotKeyed(std::string_view character)
{
    return "Ordre refusé : le caractère " + quoted(character) + " n'a pas de code morse dans la table.";
}
inline constexpr std::string_view kOrderTooShort = "Ordre refusé : il faut au moins deux caractères.";
inline constexpr std::string_view kGroupsFromCourse = "Les groupes sont tirés par le cours.";
inline constexpr std::string_view kEmptyList =
    "La liste personnelle est vide : ouvrez une liste d'un élément par ligne.";

// The key edge files of sending practice.
inline std::string edgeLine(std::size_t line, std::string_view why)
{
    return "ligne " + std::to_string(line) + " : " + std::string(why);
}
inline constexpr std::string_view kNotEdgeText = "ce n'est pas un fichier texte de fronts.";
inline constexpr std::string_view kNoEdges = "aucun front : le fichier est vide.";

// The inputs of sending practice.
inline std::string serialNotAllowed(std::string_view port)
{
    return "Le port " + std::string(port) +
           " est refusé : ajoutez votre compte au groupe dialout (sudo adduser $USER dialout), puis reconnectez-vous.";
}
inline std::string serialNotOpened(std::string_view port, std::string_view reason)
{
    return "Le port " + std::string(port) + " ne s'ouvre pas : " + std::string(reason) + ".";
}
inline std::string serialNoModemLines(std::string_view port)
{
    return "Le port " + std::string(port) +
           " ne donne pas l'état de ses lignes CTS et DSR : ce n'est pas un port série où brancher un manipulateur.";
}
inline std::string serialLost(std::string_view port, std::string_view reason)
{
    return "Le port " + std::string(port) + " a disparu (" + std::string(reason) +
           ") : la manipulation continue au clavier.";
}
inline std::string midiUnavailable(std::string_view reason)
{
    return "le séquenceur MIDI d'ALSA ne s'ouvre pas (" + std::string(reason) + ")";
}
inline std::string midiNotConnected(std::string_view source)
{
    return "La source MIDI " + quoted(source) + " ne peut pas être reliée à BRIVO.";
}
inline std::string midiLost(std::string_view source)
{
    return "La source MIDI " + quoted(source) + " a disparu : la manipulation continue au clavier.";
}

// The echo drill's verdicts.
inline constexpr std::string_view kEchoRight = "juste";
inline std::string echoWrong(std::string_view received, std::string_view sent)
{
    std::string text = "reçu ";
    text += quoted(received);
    text += " au lieu de ";
    text += quoted(sent);
    return text;
}
inline constexpr std::string_view kEchoNoCharacters =
    "Aucun caractère à jouer : le cours et le tableau n'en donnent pas.";

inline constexpr std::string_view kUnknownError = "Erreur inconnue";

} // namespace brivo::messages
