#include "practice/material/word_lists.h"

#include "common/file_io.h"
#include "common/utf8.h"
#include "practice/copy_check.h"

#include <algorithm>
#include <set>

namespace brivo::practice {
namespace {

// Common words compiled for the trainer, roughly from the most to the least
// frequent: the little words of every sentence first, then the everyday
// verbs, nouns and adjectives, and the words of the radio amateur's
// contacts. French words are written without their accents, as they are
// sent on the air.
constexpr std::string_view kFrench =
    "LE DE UN ET LA LES DES EN DU UNE EST IL QUE QUI DANS POUR PAS AU SUR NE SE CE PLUS PAR JE AVEC ON "
    "SON VOUS NOUS ILS ELLE MAIS OU SA SES AUX TOUT BIEN FAIT COMME SONT MON ME LUI AVOIR ETRE FAIRE "
    "DIRE ONT AI CETTE CES LEUR SI DEUX Y TRES SANS ENCORE AUSSI PEU ALORS MOI TOI ICI DONC NON OUI CAR "
    "QUAND RIEN CHEZ ENTRE VERS SOUS AVANT APRES TOUJOURS JAMAIS SOUVENT DEJA DEPUIS PENDANT MOINS TROP "
    "BEAUCOUP AUTRE MEME TOUS TOUTE TOUTES CHAQUE QUELQUE NOTRE VOTRE LEURS MES TES TA TON MA NOS VOS "
    "CEUX CELA CECI QUOI DONT COMMENT POURQUOI COMBIEN PUIS ENFIN BIENTOT HIER DEMAIN MAINTENANT TARD "
    "TOT VITE LENTEMENT SUIS ES SOMMES ETES AS A AVONS AVEZ ETAIT AVAIT SERA AURA VA VAIS VONT PEUT PEUX "
    "VEUX VEUT SAIS SAIT VOIT VIENT DOIT DIT PRIS MIS VU ALLER VOIR SAVOIR POUVOIR VOULOIR VENIR DEVOIR "
    "PRENDRE TROUVER DONNER PARLER AIMER PASSER METTRE CROIRE PORTER LAISSER PENSER ENTENDRE RESTER "
    "ATTENDRE SORTIR REGARDER CONNAITRE PARTIR SUIVRE VIVRE TENIR COMPRENDRE RENDRE ECRIRE LIRE JOUER "
    "CHERCHER APPELER ECOUTER ENTRER MONTER TOMBER OUVRIR FERMER COURIR MARCHER CHANTER MANGER BOIRE "
    "DORMIR TRAVAILLER AIDER CHANGER GARDER ARRIVER COMMENCER FINIR PERDRE GAGNER ACHETER VENDRE PAYER "
    "ENVOYER RECEVOIR REPONDRE DEMANDER APPRENDRE MONTRER SEMBLER TEMPS JOUR AN ANNEE FOIS HOMME FEMME "
    "ENFANT VIE MAIN MONDE PAYS VILLE MAISON EAU TERRE AIR FEU MER CIEL SOLEIL LUNE NUIT MATIN SOIR "
    "HEURE MINUTE SEMAINE MOIS TETE OEIL YEUX CORPS PIED COEUR PORTE FENETRE TABLE CHAMBRE RUE ROUTE "
    "CHEMIN PLACE TRAIN VOITURE BATEAU AVION VELO GARE PORT PONT PAIN VIN LAIT CAFE SEL SUCRE BEURRE "
    "FROMAGE POMME POIRE OEUF VIANDE SOUPE RIZ GATEAU REPAS DINER PETIT GRAND BON BONNE MAUVAIS NOUVEAU "
    "VIEUX JEUNE BEAU BELLE HAUT BAS LONG COURT BLANC NOIR ROUGE BLEU VERT JAUNE GRIS ROSE BRUN PLEIN "
    "VIDE FORT FAIBLE DOUX DUR FACILE SIMPLE VRAI FAUX SEUL DERNIER PREMIER SECOND TROIS QUATRE CINQ SIX "
    "SEPT HUIT NEUF DIX ONZE DOUZE VINGT TRENTE CENT MILLE ZERO DEMI PERE MERE FILS FILLE FRERE SOEUR "
    "ONCLE TANTE AMI AMIE GENS FAMILLE VOISIN MONSIEUR MADAME ROI REINE MEDECIN MAITRE ELEVE PILOTE "
    "MARIN SOLDAT PAYSAN CHEF RADIO ANTENNE POSTE SIGNAL ONDE BANDE MORSE CODE MESSAGE APPEL REPONSE "
    "ECOUTE EMETTEUR RECEPTEUR PUISSANCE CONTACT STATION AMATEUR NOM METEO PLUIE NEIGE VENT NUAGE ORAGE "
    "BROUILLARD FROID CHAUD CLAIR SOMBRE HIVER ETE PRINTEMPS AUTOMNE NORD SUD OUEST CLE BRUIT SILENCE "
    "VITESSE COPIE LETTRE MOT PAGE LIVRE TEXTE LISTE GROUPE CHIFFRE NOMBRE LIGNE FIL PILE MAT PYLONE "
    "CABLE CARTE SALUT MERCI BONJOUR BONSOIR PARDON ADIEU AMITIE CHIEN CHAT CHEVAL OISEAU POISSON VACHE "
    "MOUTON COCHON SOURIS CANARD OURS LOUP RENARD LION ARBRE FLEUR HERBE FEUILLE BOIS PIERRE SABLE FER "
    "OR ARGENT VERRE MONTAGNE COLLINE VALLEE LAC ILE PLAGE COTE FORET CHAMP JARDIN PARC EGLISE MAGASIN "
    "MARCHE BANQUE BUREAU HOTEL ECOLE CUISINE LIT CHAISE LAMPE HORLOGE MONTRE TELEPHONE STYLO BOITE SAC "
    "BOUTEILLE TASSE ASSIETTE COUTEAU CUILLER CHEMISE MANTEAU CHAPEAU CHAUSSURE ROBE HISTOIRE SCIENCE "
    "ART SPORT FILM CHANSON DANSE IMAGE VOIX PAIX LOI ETAT NATION GUERRE SANTE CHANCE JOIE PEUR DOULEUR "
    "REVE VERITE RAISON PROBLEME QUESTION IDEE PLAN REGLE ESSAI RESULTAT ORDRE VOYAGE VISITE VACANCES "
    "FETE SOURIRE RIRE HEUREUX TRISTE FATIGUE LIBRE PRET CONTENT RICHE PAUVRE LOURD LEGER LARGE ETROIT "
    "PROFOND ROND CARRE CHER SAGE FOU JOLI PROPRE SALE CHAUDE FROIDE LOIN PRES DEDANS DEHORS DESSUS "
    "DESSOUS AUTOUR DEVANT DERRIERE ENSEMBLE PARTOUT AILLEURS LUNDI MARDI MERCREDI JEUDI VENDREDI SAMEDI "
    "DIMANCHE JANVIER MAI JUIN JUILLET AOUT MIDI MINUIT QUART POINT FIN DEBUT MILIEU BOUT PARTIE TRAVAIL "
    "PRIX ACHAT CLASSE COURS LECON EXAMEN NOTE";
// The built-in French words that take accents, as they are written.
constexpr std::string_view kFrenchAccented =
    "ETRE:être TRES:très APRES:après DEJA:déjà BIENTOT:bientôt TOT:tôt ETES:êtes ETAIT:était "
    "CONNAITRE:connaître ECRIRE:écrire ECOUTER:écouter REPONDRE:répondre ANNEE:année TETE:tête "
    "OEIL:œil COEUR:cœur FENETRE:fenêtre CAFE:café OEUF:œuf GATEAU:gâteau DINER:dîner PERE:père "
    "MERE:mère FRERE:frère SOEUR:sœur MEDECIN:médecin MAITRE:maître ELEVE:élève REPONSE:réponse "
    "ECOUTE:écoute EMETTEUR:émetteur RECEPTEUR:récepteur METEO:météo ETE:été CLE:clé PYLONE:pylône "
    "AMITIE:amitié VALLEE:vallée ILE:île COTE:côte FORET:forêt EGLISE:église HOTEL:hôtel ECOLE:école "
    "ETAT:état SANTE:santé REVE:rêve VERITE:vérité PROBLEME:problème IDEE:idée "
    "REGLE:règle RESULTAT:résultat FETE:fête FATIGUE:fatigué PRET:prêt LEGER:léger ETROIT:étroit "
    "CARRE:carré PRES:près DERRIERE:derrière AOUT:août DEBUT:début LECON:leçon ZERO:zéro MEME:même";

constexpr std::string_view kEnglish =
    "THE AND OF TO A IN IS IT THAT FOR YOU WAS ON ARE WITH AS I BE AT HE HAVE THIS NOT BUT BY FROM THEY "
    "WE SHE OR AN WILL MY ONE ALL WOULD THERE THEIR WHAT SO UP OUT IF ABOUT WHO GET WHICH GO ME WHEN "
    "MAKE CAN LIKE TIME NO JUST HIM KNOW TAKE INTO YEAR YOUR GOOD SOME COULD THEM SEE OTHER THAN THEN "
    "NOW LOOK ONLY COME ITS OVER THINK ALSO BACK AFTER USE TWO HOW OUR WORK FIRST WELL WAY EVEN NEW WANT "
    "ANY THESE GIVE DAY MOST US HERE VERY MUCH MANY MORE WHERE WHY OFF DOWN AGAIN STILL NEVER ALWAYS "
    "OFTEN SOON TODAY BEFORE SINCE UNTIL WHILE BOTH EACH EVERY FEW SAME OWN SUCH SURE REAL TRUE RIGHT "
    "LEFT NEXT LAST LONG SHORT HIGH LOW BIG SMALL LITTLE GREAT OLD YOUNG EARLY LATE FAST SLOW HOT COLD "
    "WARM COOL DARK LIGHT CLEAR FULL EASY HARD NICE FINE BEST BETTER SAY SAID MADE WENT CAME TOLD FOUND "
    "GAVE TOOK KNEW THOUGHT FEEL FIND TELL ASK SEEM LEAVE CALL KEEP LET BEGIN HELP TALK TURN START SHOW "
    "HEAR PLAY RUN MOVE LIVE BRING HAPPEN WRITE SIT STAND LOSE PAY MEET SET LEARN CHANGE LEAD WATCH "
    "FOLLOW STOP SPEAK READ SPEND GROW OPEN WALK WIN OFFER LOVE BUY WAIT SEND BUILD STAY FALL CUT REACH "
    "PASS SELL DECIDE PULL LISTEN SING DRIVE EAT DRINK SLEEP HOPE TRY NEED MEAN PUT HOLD CARRY THING MAN "
    "WOMAN CHILD WORLD LIFE HAND PART PLACE WEEK NUMBER NIGHT POINT HOME WATER ROOM MOTHER FATHER MONEY "
    "STORY MONTH BOOK EYE JOB WORD SIDE KIND HEAD HOUSE FRIEND POWER HOUR GAME LINE END CAR CITY NAME "
    "TEAM MINUTE IDEA BODY SCHOOL FACE DOOR WAR PARTY MORNING GIRL BOY AIR FOOT AGE MUSIC TOWN ROAD ARM "
    "STAR TABLE STREET PAPER GROUND FIELD NEWS TREE WINDOW BABY FOOD HEART LAND SEA RIVER FIRE SUN MOON "
    "SKY RAIN SNOW WIND STORM CLOUD FOG ICE SUMMER WINTER SPRING AUTUMN WEATHER SUNNY CLOUDY WET DRY "
    "NORTH SOUTH EAST WEST RADIO SIGNAL ANTENNA WIRE BAND KEY CODE MORSE TONE NOISE SPEED COPY SHACK "
    "TOWER MAST BEAM DIPOLE VERTICAL LOOP RIG BATTERY FREQUENCY CONTACT STATION OPERATOR AMATEUR HAM "
    "CLUB CONTEST LOG REPORT READABLE STRONG WEAK LOUD QUIET FADING CALLSIGN MESSAGE ANSWER QUESTION "
    "LETTER NOTE PAGE TEXT LIST GROUP FINGER EAR MOUTH NOSE HAIR TOOTH LEG SHOULDER DOG CAT HORSE BIRD "
    "FISH COW SHEEP PIG MOUSE DUCK BEAR WOLF FOX LION RED BLUE GREEN BLACK WHITE YELLOW BROWN GREY PINK "
    "ORANGE GOLD SILVER IRON STONE WOOD GLASS BREAD MILK TEA COFFEE WINE BEER APPLE EGG MEAT SALT SUGAR "
    "CAKE SOUP RICE CHEESE THREE FOUR FIVE SIX SEVEN EIGHT NINE TEN ELEVEN TWELVE TWENTY HUNDRED "
    "THOUSAND ZERO HALF MONDAY FRIDAY SUNDAY JANUARY MAY JUNE JULY AUGUST TRAIN PLANE BOAT SHIP BIKE BUS "
    "TRUCK BRIDGE HILL MOUNTAIN VALLEY LAKE ISLAND COAST BEACH FOREST FARM GARDEN PARK CHURCH SHOP "
    "MARKET BANK OFFICE HOTEL KITCHEN BED CHAIR DESK LAMP CLOCK PHONE COMPUTER PEN BOX BAG BOTTLE CUP "
    "PLATE KNIFE SPOON SHIRT COAT HAT SHOE DRESS KING QUEEN DOCTOR TEACHER FARMER SAILOR PILOT DRIVER "
    "SOLDIER PUPIL STUDENT BROTHER SISTER SON DAUGHTER UNCLE AUNT WIFE HUSBAND PEOPLE FAMILY GUEST "
    "NEIGHBOUR COUNTRY STATE NATION LAW PEACE HEALTH LUCK JOY FEAR PAIN DREAM TRUTH HISTORY SCIENCE ART "
    "SPORT FILM SONG DANCE PICTURE VOICE SOUND SILENCE PLAN RULE TEST CHECK ORDER RESULT REASON CHANCE "
    "PROBLEM TRIP VISIT TRAVEL JOURNEY HOLIDAY MEAL DINNER LUNCH BREAKFAST SUPPER SMILE LAUGH TRUST "
    "THANKS PLEASE SORRY HELLO YES MAYBE OK AGREE FORGET REMEMBER UNDERSTAND BELIEVE EXPLAIN WONDER "
    "WORRY ENJOY MISS FILL FIX JOIN JUMP KICK KNOCK LIFT MARK MIX PACK PICK PUSH RING ROLL SAVE SHUT "
    "SMELL TASTE TOUCH WASH WEAR CLIMB CATCH THROW DRAW PAINT COOK CLEAN DEEP WIDE FLAT ROUND SQUARE "
    "SHARP SOFT HEAVY EMPTY RICH POOR HAPPY SAD ANGRY TIRED BUSY FREE SAFE READY ALONE ABLE AWAY "
    "TOGETHER BEHIND BELOW ABOVE UNDER NEAR FAR INSIDE OUTSIDE AROUND THROUGH ACROSS ALONG AMONG AGAINST "
    "WITHOUT WITHIN BETWEEN TONIGHT";

std::vector<std::u32string> splitWords(std::string_view text)
{
    std::vector<std::u32string> words;
    std::set<std::u32string> seen;
    std::u32string word;
    for (const char c : text) {
        if (c != ' ') {
            word += static_cast<char32_t>(static_cast<unsigned char>(c));
            continue;
        }
        if (!word.empty() && seen.insert(word).second)
            words.push_back(word);
        word.clear();
    }
    if (!word.empty() && seen.insert(word).second)
        words.push_back(word);
    return words;
}

// The accented letters of a dictionary word, as they are sent: the plain
// letter.
char32_t plainLetter(char32_t c)
{
    static const std::u32string_view kAccented = U"ÀÂÄÁÃÅÇÈÉÊËÎÏÍÌÔÖÓÒÕÙÛÜÚŸÑ";
    static const std::u32string_view kPlain = U"AAAAAACEEEEIIIIOOOOOUUUUYN";
    const std::size_t at = kAccented.find(c);
    return at == std::u32string_view::npos ? c : kPlain[at];
}

} // namespace

const std::vector<std::u32string>& commonWords(Language language)
{
    static const std::vector<std::u32string> french = splitWords(kFrench);
    static const std::vector<std::u32string> english = splitWords(kEnglish);
    return language == Language::French ? french : english;
}

std::optional<std::string> frenchSpelling(std::u32string_view word)
{
    const std::vector<std::u32string>& words = commonWords(Language::French);
    if (std::find(words.begin(), words.end(), word) == words.end())
        return std::nullopt;
    const std::string upper = encodeUtf8(word);
    const std::string key = " " + upper + ":";
    const std::string accented = " " + std::string(kFrenchAccented);
    if (const std::size_t at = accented.find(key); at != std::string::npos) {
        const std::size_t from = at + key.size();
        return accented.substr(from, accented.find(' ', from) - from);
    }
    std::string lower = upper;
    for (char& c : lower)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower;
}

std::string dictionaryPath(Language language)
{
    return language == Language::French ? "/usr/share/dict/french" : "/usr/share/dict/american-english";
}

std::vector<std::u32string> dictionaryWords(std::string_view utf8Text, const std::vector<std::u32string>& known)
{
    std::set<std::u32string> seen(known.begin(), known.end());
    std::vector<std::u32string> words;
    std::size_t start = 0;
    while (start < utf8Text.size()) {
        std::size_t end = utf8Text.find('\n', start);
        if (end == std::string_view::npos)
            end = utf8Text.size();
        const std::string_view line = utf8Text.substr(start, end - start);
        start = end + 1;
        // Plain lower-case words only: names and abbreviations begin with a
        // capital, and forms like "l'eau" are not words alone.
        const std::u32string decoded = decodeUtf8(line);
        const std::u32string upper = normalise(line);
        if (upper.size() < 2 || upper.size() > 10 || upper.size() != decoded.size() || upper.front() == decoded.front())
            continue;
        std::u32string word;
        bool plain = true;
        for (const char32_t c : upper) {
            const char32_t letter = plainLetter(c);
            plain = plain && letter >= U'A' && letter <= U'Z';
            word += letter;
        }
        // A word has a vowel: "km", "mm" or "rm" are units' symbols.
        const bool voiced = word.find_first_of(U"AEIOUY") != std::u32string::npos;
        if (plain && voiced && seen.insert(word).second)
            words.push_back(word);
    }
    return words;
}

std::vector<std::u32string> systemDictionaryWords(Language language)
{
    const Result<std::string> bytes = readFileBytes(dictionaryPath(language), std::uintmax_t{64} << 20U);
    if (!bytes)
        return {};
    return dictionaryWords(textFileToUtf8(*bytes), commonWords(language));
}

} // namespace brivo::practice
