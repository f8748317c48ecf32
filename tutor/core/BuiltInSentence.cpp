#include "tutor/core/BuiltInSentence.h"

#include "common/core/Cp1252.h"

#include <array>
#include <string_view>

namespace {

// Written in UTF-8 and turned into Windows-1252 while compiling.
constexpr std::array<std::string_view, kBuiltInSentenceCount> kSentences = {
    // level 1
    "il mio amico legge un libro di avventure"_cp1252,
    "la mia mamma cucina il pranzo"_cp1252,
    "il gatto dorme sul divano rosso"_cp1252,
    "ci vediamo domani a scuola"_cp1252,
    "oggi andiamo al parco con il cane"_cp1252,
    "la maestra scrive alla lavagna"_cp1252,
    "mio fratello gioca a calcio in cortile"_cp1252,
    "il sole splende sopra il mare blu"_cp1252,
    "la nonna prepara una torta di mele"_cp1252,
    "in estate andiamo in montagna"_cp1252,
    "il treno parte alle otto del mattino"_cp1252,
    "le farfalle volano sui fiori del prato"_cp1252,
    "la mia amica ha una bicicletta nuova"_cp1252,
    "stasera guardiamo un film insieme"_cp1252,
    "gli uccelli volano alti e liberi nel cielo"_cp1252,
    // level 2
    "William sbucciò un'albicocca per la sua cara amica Karin."_cp1252,
    "Domani è festa: andrò al mare con la mia famiglia e gli amici."_cp1252,
    "Michele è uno scolaro di quinta. Io, invece, frequento la quarta."_cp1252,
    "Sai dov'è la biblioteca? Sì, è vicino alla piazza della chiesa."_cp1252,
    "Luca ha perso l'ombrello; per fortuna oggi non è piovuto."_cp1252,
    "Che bella giornata! Perché non andiamo a fare una passeggiata?"_cp1252,
    "Il papà di Giulia è un medico, la sua mamma fa l'insegnante."_cp1252,
    "L'anno prossimo andrò in gita a Roma con tutta la mia classe."_cp1252,
    "Marta ama la musica: suona il pianoforte e canta nel coro."_cp1252,
    "Anna, hai già finito i compiti? Sì, mamma, li ho fatti tutti."_cp1252,
    "Il cane di Paolo si chiama Fido e corre felice nel giardino."_cp1252,
    "Domenica andremo allo zoo: vedremo le scimmie e gli elefanti."_cp1252,
    "Quest'anno a scuola ci insegnano l'inglese: very good!"_cp1252,
    "Ieri ho letto una favola bellissima, poi sono andato a dormire."_cp1252,
    "Perché il cielo è azzurro? Te lo spiegherò più tardi, Matteo."_cp1252,
    // level 3: first line, CR LF, second line
    "I giorni della settimana sono 7: lunedì, martedì, mercoledì, giovedì, venerdì, sabato e\r\ndomenica."_cp1252,
    "I mesi dell'anno sono 12: gennaio, febbraio, marzo, aprile, maggio, giugno, luglio,\r\nagosto, settembre, ottobre, novembre e dicembre."_cp1252,
    "Il mio indirizzo di posta elettronica è: luca.rossi@scuola.it (scrivimi presto!)\r\nTi risponderò appena posso."_cp1252,
    "Questa è un'addizione: 35 + 75 = 110. Questa è una sottrazione: 47 - 29 = 18.\r\nFacile l'aritmetica, vero?"_cp1252,
    "La nostra squadra ha vinto la partita 3 a 2: che gioia! Il prossimo incontro è sabato\r\nalle ore 15 in palestra."_cp1252,
    "50% si legge \"cinquanta per cento\" e significa: la metà.\r\nLo sapevi?"_cp1252,
    "Per fare la torta servono: 200 grammi di farina, 3 uova, 100 grammi di zucchero;\r\npoi il burro e un po' di latte. Buon appetito!"_cp1252,
    "Il simbolo delle lire è questo: £; il simbolo del dollaro, invece, è questo: $;\r\nlo sapevi?"_cp1252,
    "Quanto fa 9 per 8? Facile: fa 72! E quanto fa 64 / 8? Fa 8, naturalmente.\r\nLe tabelline sono proprio utili."_cp1252,
    "Il 25 aprile e il 2 giugno sono due feste nazionali molto importanti per l'Italia.\r\nLe conosci tutte e due?"_cp1252,
    "Nella mia classe siamo in 24: 13 bambine e 11 bambini; la maestra si chiama Rita.\r\nE nella tua classe, quanti siete?"_cp1252,
    "Sul quaderno ho scritto: (12 + 8) / 4 = 5. La maestra ha detto: \"Bravissimo!\"\r\nChe soddisfazione per me!"_cp1252,
    "Con lo sconto del 20% un libro da 15 euro costa 12 euro: ho risparmiato 3 euro.\r\nAdesso posso comprare anche un quaderno."_cp1252,
    "Il simbolo \"#\", che è presente anche nella tastiera del telefono,\r\nviene chiamato: cancelletto."_cp1252,
    "Mamma mia, che caldo oggi! Il termometro segna 35 gradi all'ombra: andiamo al mare?\r\nSì, però prima finiamo i compiti!"_cp1252,
};

} // namespace

std::string BuiltInSentence(std::int16_t index) {
    if (index < 1 || index > kBuiltInSentenceCount)
        return {};
    return std::string(kSentences[static_cast<std::size_t>(index - 1)]);
}
