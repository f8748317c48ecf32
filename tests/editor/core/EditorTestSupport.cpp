#include "EditorTestSupport.h"

#include "common/core/Cp1252.h"

SentenceEditor::MessageTexts BuiltInEditorSlots() {
    return {
        std::string("Attenzione"_cp1252),
        std::string("Errore"_cp1252),
        std::string("Digita il nome del nuovo file"_cp1252),
        std::string("frasi"_cp1252),
        std::string("Seleziona il file da aprire"_cp1252),
        std::string("impossibile modificare il file: file di sola lettura."_cp1252),
        std::string("Cambiare l'attributo del file e riprovare."_cp1252),
        std::string("L&eggi"_cp1252),
        std::string("Successiva"_cp1252),
        std::string("impossibile trovare il file della guida:"_cp1252),
        std::string("Nessuna frase presente in questa posizione."_cp1252),
        std::string("impossibile leggere il file."_cp1252),
        std::string("Nessun testo presente nella prima riga."_cp1252),
        std::string("La prima riga non può essere vuota!"_cp1252),
        std::string("Impossibile aggiornare il file."_cp1252),
        std::string("la lunghezza della riga è superiore alle dimensioni consentite."_cp1252),
        std::string("Proseguire nella riga successiva."_cp1252),
        std::string("è stata raggiunta la lunghezza max consentita."_cp1252),
        std::string("File completato!"_cp1252),
        std::string("Impossibile creare il file."_cp1252),
    };
}
