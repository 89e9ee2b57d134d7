#include "core/help/helptexts.h"

namespace {

// The overview, one entry per paragraph, in the order the start menu shows them. The
// registry topic is paragraphs 2 to 11, the register topic paragraphs 12 to 17.
const QStringList& paragraphs()
{
    static const QStringList text = {
        // 1
        QStringLiteral(
            "Vestrano è il software pensato per tenere il registro delle presenze giornaliere "
            "del personale o dei soci di una ditta o di un'associazione. È composto da due app "
            "che lavorano insieme: l'Archivio anagrafico, che raccoglie le schede delle persone, "
            "e la Registrazione presenze, che per ogni persona tiene un calendario annuale dei "
            "giorni di presenza e delle attività svolte."),
        // 2
        QStringLiteral(
            "L'app Archivio anagrafico interagisce con il registro delle presenze ma può essere "
            "usata anche come una completa rubrica elettronica dotata di funzioni avanzate quali "
            "l'invio di e-mail, il controllo della validità del codice fiscale, della partita "
            "IVA, del numero di carta di credito e del codice IBAN. Per ogni persona è possibile "
            "annotare anche le mansioni principali che svolge."),
        // 3
        QStringLiteral(
            "Ogni scheda raccoglie cognome e nome, data e luogo di nascita, ditta, indirizzo, "
            "codice destinatario per la fatturazione elettronica, telefono di casa, "
            "dell'ufficio e cellulare, indirizzo e-mail e di posta elettronica certificata "
            "(PEC), telefono preferito, codice fiscale, partita IVA, numero della carta di "
            "credito con la sua data di scadenza e codice IBAN della banca."),
        // 4
        QStringLiteral(
            "Nella scheda trovano posto anche gli estremi del documento di identità (tipo, "
            "numero, ente e data di rilascio, data di scadenza) e uno spazio per le note, nel "
            "quale annotare liberamente qualsiasi informazione utile."),
        // 5
        QStringLiteral(
            "Per registrare una nuova scheda è sufficiente premere il pulsante Nuovo, compilare "
            "i campi e premere Salva. I campi obbligatori sono il cognome e nome, il codice "
            "fiscale, il telefono preferito e le mansioni. Per modificare una scheda già in "
            "archivio basta raggiungerla scorrendo l'archivio oppure con la ricerca, correggere "
            "i dati e premere Salva."),
        // 6
        QStringLiteral(
            "Se con una persona resta qualche questione in sospeso, la si annota nella scheda e "
            "si spunta la casella Da ricontattare: la scheda entra così nell'elenco che si apre "
            "con il pulsante Da ricontattare, e nessuna persona da richiamare viene dimenticata."),
        // 7
        QStringLiteral(
            "Il pulsante Duplica prepara una nuova scheda partendo dai dati di quella "
            "visualizzata: è comodo per registrare rapidamente persone con dati simili, ad "
            "esempio colleghi della stessa ditta o familiari che abitano allo stesso indirizzo."),
        // 8
        QStringLiteral(
            "La ricerca permette di trovare le schede impostando uno o più filtri "
            "contemporaneamente, ad esempio il cognome, la ditta e la città: l'elenco mostra le "
            "sole schede che soddisfano tutti i filtri e un doppio clic apre la scheda scelta."),
        // 9
        QStringLiteral(
            "A ogni scheda si possono allegare fino a tre file (documenti, immagini, contratti, "
            "fogli di calcolo), ciascuno accompagnato da una breve descrizione; il pulsante "
            "Apri accanto all'allegato lo apre con il programma che il sistema usa per quel "
            "tipo di file."),
        // 10
        QStringLiteral(
            "I pulsanti di controllo verificano la correttezza del codice fiscale, del numero "
            "della carta di credito, del codice IBAN e della partita IVA; per una partita IVA "
            "valida viene indicato anche l'ufficio che l'ha rilasciata. Il pulsante accanto al "
            "campo e-mail avvia il programma di posta elettronica con l'indirizzo del "
            "destinatario già inserito."),
        // 11
        QStringLiteral(
            "Ogni scheda può essere stampata oppure salvata come documento PDF, e l'intero "
            "archivio può essere esportato in un foglio di lavoro in formato XLS, che si apre "
            "con Microsoft Excel, Open Office o Libre Office."),
        // 12
        QStringLiteral(
            "L'app Registrazione presenze mette a disposizione per ciascun lavoratore o socio "
            "un calendario annuale nel quale annotare le sue presenze al lavoro e le attività "
            "svolte in ogni giorno dell'anno. Per aprire un calendario si sceglie l'anno e la "
            "persona e si preme Apri. L'elenco delle persone proviene dall'Archivio anagrafico "
            "e ne mostra il nome, il telefono preferito, il codice fiscale e le mansioni; per "
            "una selezione rapida si digita una chiave di ricerca e si preme Trova."),
        // 13
        QStringLiteral(
            "Per registrare una presenza si fa clic sul numero del giorno e si descrive "
            "l'attività svolta. Per cancellarla basta svuotare il testo, anche con il pulsante "
            "della gomma, e premere Applica e chiudi. Le presenze vengono salvate "
            "automaticamente quando si esce dal calendario."),
        // 14
        QStringLiteral(
            "Si possono tenere i calendari di qualsiasi anno, passato o futuro. Nel calendario i "
            "giorni in rosso indicano la presenza, quelli in viola l'assenza."),
        // 15
        QStringLiteral(
            "Il calendario è pensato per essere compilato all'arrivo della persona, giorno per "
            "giorno; a colpo d'occhio si leggono le presenze e le assenze dell'intero anno. Per "
            "passare a un'altra persona si torna all'elenco di selezione."),
        // 16
        QStringLiteral(
            "Il pulsante Riepilogo mostra in ordine cronologico tutte le giornate di presenza "
            "registrate con le relative attività; il riepilogo può essere stampato."),
        // 17
        QStringLiteral(
            "Il registro delle presenze dell'intero anno può essere visualizzato in anteprima "
            "di stampa e stampato su carta."),
        // 18
        QStringLiteral(
            "Vestrano funziona anche da una chiavetta USB: è sufficiente copiarvi la sua "
            "cartella. Copiare la cartella del programma è anche il modo più rapido per fare "
            "una copia di sicurezza di tutti i dati, perché schede, calendari e allegati sono "
            "conservati al suo interno."),
        // 19
        QStringLiteral(
            "L'accesso al programma è protetto da una password, che può essere cambiata in "
            "qualsiasi momento dalla finestra di accesso con il pulsante Cambia password. Per "
            "il primo accesso la password è VESTRANO."),
        // 20
        QStringLiteral(
            "Vestrano è pensato per piccole ditte, associazioni, cooperative e studi "
            "professionali che vogliono tenere il registro delle presenze senza complicazioni: "
            "non richiede alcuna installazione particolare e si impara a usarlo in pochi "
            "minuti."),
    };
    return text;
}

QString joined(const QStringList& list)
{
    return list.join(kParagraphBreak);
}

} // namespace

QStringList overviewParagraphs()
{
    return paragraphs();
}

QString overviewHelpText()
{
    return joined(paragraphs());
}

QString registryHelpText()
{
    return joined(paragraphs().mid(1, 10));
}

QString registerHelpText()
{
    return joined(paragraphs().mid(11, 6));
}

QStringList exportParagraphs()
{
    return {
        QStringLiteral(
            "Il pulsante Esporta archivio consente di esportare i dati anagrafici in un foglio "
            "di lavoro di Microsoft Excel, che potrà essere aperto con qualsiasi software in "
            "grado di gestire i file in formato XLS (ad esempio, con Open Office, Libre Office "
            "o Microsoft Office)."),
        QStringLiteral(
            "Nella finestra che mostra la griglia delle schede è sufficiente fare clic "
            "sull'icona del foglio di calcolo: il file XLS viene creato subito e, se alla "
            "domanda che segue si risponde Sì, viene aperto immediatamente."),
        QStringLiteral("A questo punto è sufficiente salvare il file sul proprio disco fisso "
                       "assegnandogli un nome qualsiasi."),
    };
}

QString exportHelpText()
{
    return joined(exportParagraphs());
}
