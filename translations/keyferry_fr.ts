<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>keyferry::AccessibilityPrompt</name>
    <message>
        <source>Accessibility Permission Required</source>
        <translation>Autorisation d’accessibilité requise</translation>
    </message>
    <message>
        <source>Keyferry needs accessibility access to simulate keyboard input in other apps.</source>
        <translation>Keyferry a besoin de l’accès à l’accessibilité pour simuler la saisie au clavier dans d’autres applications.</translation>
    </message>
    <message>
        <source>Enable Assistive Technologies</source>
        <translation>Activer les technologies d’assistance</translation>
    </message>
    <message>
        <source>Asks the desktop to turn on assistive technologies for every application</source>
        <translation>Demande au bureau d’activer les technologies d’assistance pour toutes les applications</translation>
    </message>
    <message>
        <source>✔ Permission granted!</source>
        <translation>✔ Autorisation accordée !</translation>
    </message>
</context>
<context>
    <name>keyferry::CSVPanel</name>
    <message>
        <source>Paste Rows</source>
        <translation>Coller des lignes</translation>
    </message>
    <message>
        <source>CSV Export</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>Save a CSV file with the header this template expects</source>
        <translation>Enregistrer un fichier CSV avec l’en-tête attendu par ce modèle</translation>
    </message>
    <message>
        <source>Copy header to clipboard</source>
        <translation>Copier l’en-tête dans le presse-papiers</translation>
    </message>
    <message>
        <source>CSV Import</source>
        <translation>Import CSV</translation>
    </message>
    <message>
        <source>Load a CSV file or an .xlsx or .ods workbook (you can also drop one here, or paste rows with Ctrl+V)</source>
        <translation>Charger un fichier CSV ou un classeur .xlsx ou .ods (vous pouvez aussi le déposer ici, ou coller des lignes avec Ctrl+V)</translation>
    </message>
    <message>
        <source>Show or hide the preview</source>
        <translation>Afficher ou masquer l’aperçu</translation>
    </message>
    <message>
        <source>No text input step in template</source>
        <translation>Aucune étape de saisie de texte dans le modèle</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Séparateur</translation>
    </message>
    <message>
        <source>The character between the fields of the file; choosing one reads the file again</source>
        <translation>Le caractère entre les champs du fichier ; en choisir un relit le fichier</translation>
    </message>
    <message>
        <source>&amp;Separator:</source>
        <translation>&amp;Séparateur :</translation>
    </message>
    <message>
        <source>Sheet</source>
        <translation>Feuille</translation>
    </message>
    <message>
        <source>The sheet of the workbook whose rows are imported</source>
        <translation>La feuille du classeur dont les lignes sont importées</translation>
    </message>
    <message>
        <source>Shee&amp;t:</source>
        <translation>&amp;Feuille :</translation>
    </message>
    <message>
        <source>Take the rows on the clipboard, copied from a spreadsheet with the header row, as the table</source>
        <translation>Prendre comme tableau les lignes du presse-papiers, copiées d’un tableur avec la ligne d’en-tête</translation>
    </message>
    <message>
        <source>CSV preview</source>
        <translation>Aperçu CSV</translation>
    </message>
    <message>
        <source>The first 100 rows of the imported file</source>
        <translation>Les 100 premières lignes du fichier importé</translation>
    </message>
    <message numerus="yes">
        <source>%n entries</source>
        <translation>
            <numerusform>%n entrée</numerusform>
            <numerusform>%n entrées</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries, hide preview</source>
        <translation>
            <numerusform>%n entrée, masquer l’aperçu</numerusform>
            <numerusform>%n entrées, masquer l’aperçu</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries, show preview</source>
        <translation>
            <numerusform>%n entrée, afficher l’aperçu</numerusform>
            <numerusform>%n entrées, afficher l’aperçu</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>... and %n more rows</source>
        <translation>
            <numerusform>... et %n autre ligne</numerusform>
            <numerusform>... et %n autres lignes</numerusform>
        </translation>
    </message>
    <message>
        <source>Tables (*.csv *.CSV *.tsv *.TSV *.txt *.TXT *.xlsx *.XLSX *.xlsm *.XLSM *.ods *.ODS);;All files (*)</source>
        <translation>Tableaux (*.csv *.CSV *.tsv *.TSV *.txt *.TXT *.xlsx *.XLSX *.xlsm *.XLSM *.ods *.ODS);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Fichiers CSV (*.csv)</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Semicolon</source>
        <translation>Point-virgule</translation>
    </message>
    <message>
        <source>Comma</source>
        <translation>Virgule</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tabulation</translation>
    </message>
    <message>
        <source>Pipe</source>
        <translation>Barre verticale</translation>
    </message>
</context>
<context>
    <name>keyferry::CapabilityNoticeView</name>
    <message>
        <source>What this desktop lacks</source>
        <translation>Ce qui manque à ce bureau</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Masquer</translation>
    </message>
    <message>
        <source>Hide what this desktop lacks</source>
        <translation>Masquer ce qui manque à ce bureau</translation>
    </message>
    <message>
        <source>Hide this list until Keyferry starts again</source>
        <translation>Masquer cette liste jusqu’au prochain démarrage de Keyferry</translation>
    </message>
    <message>
        <source>What you can do: %1</source>
        <translation>Ce que vous pouvez faire : %1</translation>
    </message>
    <message>
        <source>Not available on this desktop (%1)</source>
        <translation>Non disponible sur ce bureau (%1)</translation>
    </message>
    <message>
        <source>%1: %2. What you can do: %3.</source>
        <translation>%1 : %2. Ce que vous pouvez faire : %3.</translation>
    </message>
</context>
<context>
    <name>keyferry::CoreText</name>
    <message>
        <source>refused</source>
        <translation>refusées</translation>
    </message>
    <message>
        <source>Entry %1 refused: the application sent the form back with its values</source>
        <translation>Entrée %1 refusée : l’application a renvoyé le formulaire avec ses valeurs</translation>
    </message>
    <message>
        <source>Entry %1 refused: %2</source>
        <translation>Entrée %1 refusée : %2</translation>
    </message>
    <message>
        <source>Text Input</source>
        <translation>Saisie de texte</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Return</source>
        <translation>Entrée</translation>
    </message>
    <message>
        <source>Wait (Click)</source>
        <translation>Attendre (clic)</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Skip Tabs</source>
        <translation>Sauter des tabulations</translation>
    </message>
    <message>
        <source>Select All &amp; Clear</source>
        <translation>Tout sélectionner et effacer</translation>
    </message>
    <message>
        <source>Arrow Key</source>
        <translation>Touche fléchée</translation>
    </message>
    <message>
        <source>Mouse Click</source>
        <translation>Clic de souris</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Haut</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Bas</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Gauche</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Droite</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Simple</translation>
    </message>
    <message>
        <source>Double</source>
        <translation>Double</translation>
    </message>
    <message>
        <source>Target app not found!</source>
        <translation>Application cible introuvable !</translation>
    </message>
    <message>
        <source>Target app no longer in foreground</source>
        <translation>L’application cible n’est plus au premier plan</translation>
    </message>
    <message>
        <source>Paused: keyboard or mouse used</source>
        <translation>En pause : clavier ou souris utilisé</translation>
    </message>
    <message>
        <source>Accessibility permission revoked!</source>
        <translation>Autorisation d’accessibilité retirée !</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Arrêté</translation>
    </message>
    <message>
        <source>Waiting for click...</source>
        <translation>En attente d’un clic...</translation>
    </message>
    <message>
        <source>Debug cancelled</source>
        <translation>Débogage annulé</translation>
    </message>
    <message>
        <source>Debug complete</source>
        <translation>Débogage terminé</translation>
    </message>
    <message>
        <source>Could not activate target app!</source>
        <translation>Impossible d’activer l’application cible !</translation>
    </message>
    <message>
        <source>Waiting for your permission to type: answer the desktop&apos;s question (“Allow remote interaction”).</source>
        <translation>En attente de votre autorisation de saisir : répondez à la question du bureau (« Allow remote interaction »).</translation>
    </message>
    <message>
        <source>entered</source>
        <translation>saisies</translation>
    </message>
    <message>
        <source>verified</source>
        <translation>vérifiées</translation>
    </message>
    <message>
        <source>mismatch</source>
        <translation>divergentes</translation>
    </message>
    <message>
        <source>paused</source>
        <translation>en pause</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>arrêtées</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>en échec</translation>
    </message>
    <message>
        <source>wrong field</source>
        <translation>mauvais champ</translation>
    </message>
    <message>
        <source>Row %1/%2 ✓</source>
        <translation>Ligne %1/%2 ✓</translation>
    </message>
    <message>
        <source>Could not send keyboard input at row %1: %2</source>
        <translation>Impossible d’envoyer la saisie clavier à la ligne %1 : %2</translation>
    </message>
    <message>
        <source>Could not send mouse input at row %1: %2</source>
        <translation>Impossible d’envoyer l’action de souris à la ligne %1 : %2</translation>
    </message>
    <message>
        <source>Could not send keyboard input: %1</source>
        <translation>Impossible d’envoyer la saisie clavier : %1</translation>
    </message>
    <message>
        <source>Could not send mouse input: %1</source>
        <translation>Impossible d’envoyer l’action de souris : %1</translation>
    </message>
    <message>
        <source>Keyferry may not type here: %1</source>
        <translation>Keyferry n’a pas le droit de saisir ici : %1</translation>
    </message>
    <message>
        <source>Expected field %1, but the focus is on %2</source>
        <translation>Champ %1 attendu, mais le focus est sur %2</translation>
    </message>
    <message>
        <source>Expected field %1, but no field has the focus</source>
        <translation>Champ %1 attendu, mais aucun champ n’a le focus</translation>
    </message>
    <message>
        <source>Field %1 did not come within %2 s</source>
        <translation>Le champ %1 n’est pas apparu en %2 s</translation>
    </message>
    <message>
        <source>Field &quot;%1&quot; shows &quot;%2&quot;, expected &quot;%3&quot;</source>
        <translation>Le champ « %1 » affiche « %2 », attendu « %3 »</translation>
    </message>
    <message>
        <source>The field shows &quot;%1&quot;, expected &quot;%2&quot;</source>
        <translation>Le champ affiche « %1 », attendu « %2 »</translation>
    </message>
    <message>
        <source>Error at step %1! %2</source>
        <translation>Erreur à l’étape %1 ! %2</translation>
    </message>
    <message>
        <source>Step %1/%2: %3 → &quot;%4&quot; in field %5</source>
        <translation>Étape %1/%2 : %3 → « %4 » dans le champ %5</translation>
    </message>
    <message>
        <source>Step %1/%2: %3 → &quot;%4&quot;</source>
        <translation>Étape %1/%2 : %3 → « %4 »</translation>
    </message>
    <message>
        <source>Step %1/%2: %3 in field %4</source>
        <translation>Étape %1/%2 : %3 dans le champ %4</translation>
    </message>
    <message>
        <source>Step %1/%2: %3</source>
        <translation>Étape %1/%2 : %3</translation>
    </message>
    <message>
        <source>about %1 s left</source>
        <translation>environ %1 s restantes</translation>
    </message>
    <message>
        <source>about %1 min left</source>
        <translation>environ %1 min restantes</translation>
    </message>
    <message>
        <source>about %1 h %2 min left</source>
        <translation>environ %1 h %2 min restantes</translation>
    </message>
    <message>
        <source>Separated by semicolons</source>
        <translation>Séparé par des points-virgules</translation>
    </message>
    <message>
        <source>Separated by commas</source>
        <translation>Séparé par des virgules</translation>
    </message>
    <message>
        <source>Separated by tabs</source>
        <translation>Séparé par des tabulations</translation>
    </message>
    <message>
        <source>Separated by pipes (|)</source>
        <translation>Séparé par des barres verticales (|)</translation>
    </message>
    <message>
        <source>Pasted rows, separated by tabs</source>
        <translation>Lignes collées, séparées par des tabulations</translation>
    </message>
    <message>
        <source>Invalid configuration</source>
        <translation>Configuration non valide</translation>
    </message>
    <message>
        <source>Invalid input</source>
        <translation>Entrée non valide</translation>
    </message>
    <message>
        <source>Stream failure</source>
        <translation>Échec de lecture</translation>
    </message>
    <message>
        <source>The clipboard holds no rows. Copy the cells in the spreadsheet, header row included.</source>
        <translation>Le presse-papiers ne contient aucune ligne. Copiez les cellules dans le tableur, ligne d’en-tête comprise.</translation>
    </message>
    <message>
        <source>CSV has %1 columns, template expects %2: %3</source>
        <translation>Le CSV a %1 colonnes, le modèle en attend %2 : %3</translation>
    </message>
    <message>
        <source>Column names don&apos;t match: %1</source>
        <translation>Les noms de colonnes ne correspondent pas : %1</translation>
    </message>
    <message>
        <source>Import failed: %1</source>
        <translation>Échec de l’import : %1</translation>
    </message>
    <message>
        <source>Paste failed: %1</source>
        <translation>Échec du collage : %1</translation>
    </message>
    <message>
        <source>Export failed: %1</source>
        <translation>Échec de l’export : %1</translation>
    </message>
    <message>
        <source>semicolons</source>
        <translation>points-virgules</translation>
    </message>
    <message>
        <source>commas</source>
        <translation>virgules</translation>
    </message>
    <message>
        <source>tabs</source>
        <translation>tabulations</translation>
    </message>
    <message>
        <source>pipes (|)</source>
        <translation>barres verticales (|)</translation>
    </message>
    <message>
        <source>, </source>
        <comment>a joint of a list</comment>
        <translation>, </translation>
    </message>
    <message>
        <source> or </source>
        <comment>the last joint of a list</comment>
        <translation> ou </translation>
    </message>
    <message>
        <source>Read as semicolon-separated: the header line could be separated by %1</source>
        <translation>Lu comme séparé par des points-virgules : la ligne d’en-tête pourrait être séparée par des %1</translation>
    </message>
    <message numerus="yes">
        <source>%n cell(s) show their stored value (format not supported): %2</source>
        <translation>
            <numerusform>%n cellule affiche sa valeur enregistrée (format non pris en charge) : %2</numerusform>
            <numerusform>%n cellules affichent leur valeur enregistrée (format non pris en charge) : %2</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 et %2 de plus</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... et %1 de plus</translation>
    </message>
    <message>
        <source>%1: format &quot;%2&quot;</source>
        <translation>%1 : format « %2 »</translation>
    </message>
    <message>
        <source>GNOME on Wayland lets applications type only through the desktop portal, which does not answer (%1)</source>
        <translation>GNOME sous Wayland ne laisse les applications taper qu&apos;à travers le portail de bureau, qui ne répond pas (%1)</translation>
    </message>
    <message>
        <source>Keyferry&apos;s GNOME Shell extension is not running (%1)</source>
        <translation>l&apos;extension GNOME Shell de Keyferry ne fonctionne pas (%1)</translation>
    </message>
    <message>
        <source>This step cannot run on this desktop (%1). %2</source>
        <translation>Cette étape ne peut pas s&apos;exécuter sur ce bureau (%1). %2</translation>
    </message>
    <message>
        <source>Not started: step %1 (%2) cannot run on this desktop (%3). %4</source>
        <translation>Non démarré : l&apos;étape %1 (%2) ne peut pas s&apos;exécuter sur ce bureau (%3). %4</translation>
    </message>
    <message>
        <source>“%1” is missing: %2. What you can do: %3.</source>
        <translation>« %1 » manque : %2. Ce que vous pouvez faire : %3.</translation>
    </message>
    <message>
        <source>other wlroots compositor</source>
        <translation>autre compositeur wlroots</translation>
    </message>
    <message>
        <source>simulated</source>
        <translation>simulé</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>inconnu</translation>
    </message>
    <message>
        <source>type layout text</source>
        <translation>taper le texte de la disposition</translation>
    </message>
    <message>
        <source>type any text</source>
        <translation>taper n&apos;importe quel texte</translation>
    </message>
    <message>
        <source>click</source>
        <translation>cliquer</translation>
    </message>
    <message>
        <source>list windows</source>
        <translation>lister les fenêtres</translation>
    </message>
    <message>
        <source>activate</source>
        <translation>activer</translation>
    </message>
    <message>
        <source>window bounds</source>
        <translation>limites des fenêtres</translation>
    </message>
    <message>
        <source>stop hotkey</source>
        <translation>raccourci d&apos;arrêt</translation>
    </message>
    <message>
        <source>record keys</source>
        <translation>enregistrer les touches</translation>
    </message>
    <message>
        <source>record fields</source>
        <translation>enregistrer les champs</translation>
    </message>
    <message>
        <source>pause on user input</source>
        <translation>pause lors d&apos;une saisie</translation>
    </message>
    <message>
        <source>see the user&apos;s clicks</source>
        <translation>voir les clics de l&apos;utilisateur</translation>
    </message>
    <message>
        <source>the X server lacks XTest or XInput2, or assistive technologies are off</source>
        <translation>le serveur X n&apos;a pas XTest ou XInput2, ou les technologies d&apos;assistance sont désactivées</translation>
    </message>
    <message>
        <source>this desktop is not one Keyferry knows</source>
        <translation>Keyferry ne connaît pas ce bureau</translation>
    </message>
    <message>
        <source>Keyferry&apos;s GNOME Shell extension is not running</source>
        <translation>l&apos;extension GNOME Shell de Keyferry ne fonctionne pas</translation>
    </message>
    <message>
        <source>KDE Plasma on Wayland does not offer its virtual keyboard to applications</source>
        <translation>KDE Plasma sous Wayland n&apos;offre pas son clavier virtuel aux applications</translation>
    </message>
    <message>
        <source>KDE Plasma on Wayland does not offer its virtual pointer to applications</source>
        <translation>KDE Plasma sous Wayland n&apos;offre pas son pointeur virtuel aux applications</translation>
    </message>
    <message>
        <source>the desktop portal types only the characters of your keyboard layout</source>
        <translation>le portail de bureau ne tape que les caractères de votre disposition de clavier</translation>
    </message>
    <message>
        <source>the size of the desktop is unknown without sway&apos;s IPC</source>
        <translation>sans l&apos;IPC de sway, la taille du bureau est inconnue</translation>
    </message>
    <message>
        <source>this compositor tells applications no window positions</source>
        <translation>ce compositeur ne donne aux applications aucune position de fenêtre</translation>
    </message>
    <message>
        <source>no Wayland compositor lets an application see keys meant for others, and only sway&apos;s IPC can make a shortcut for Keyferry</source>
        <translation>aucun compositeur Wayland ne laisse une application voir les touches destinées aux autres, et seul l&apos;IPC de sway peut créer un raccourci pour Keyferry</translation>
    </message>
    <message>
        <source>no Wayland compositor lets an application watch the keys typed into other applications</source>
        <translation>aucun compositeur Wayland ne laisse une application observer les touches tapées dans d&apos;autres applications</translation>
    </message>
    <message>
        <source>the recorder follows the focus from field to field through the accessibility bus, which cannot be reached</source>
        <translation>l&apos;enregistreur suit le focus de champ en champ par le bus d&apos;accessibilité, qui est injoignable</translation>
    </message>
    <message>
        <source>a recording ends with Esc, which only Keyferry&apos;s GNOME Shell extension can keep from the applications for Keyferry</source>
        <translation>un enregistrement se termine par Échap, que seule l&apos;extension GNOME Shell de Keyferry peut soustraire aux applications pour Keyferry</translation>
    </message>
    <message>
        <source>a recording ends with Esc, which only sway&apos;s IPC or KDE&apos;s global shortcuts can keep from the applications for Keyferry</source>
        <translation>un enregistrement se termine par Échap, que seuls l&apos;IPC de sway ou les raccourcis globaux de KDE peuvent soustraire aux applications pour Keyferry</translation>
    </message>
    <message>
        <source>Wayland shows Keyferry none of your own key presses and clicks, so a run does not pause when you type or click (it still pauses when the focus leaves the target window)</source>
        <translation>Wayland ne montre à Keyferry aucune de vos frappes ni aucun de vos clics, donc une exécution ne se met pas en pause quand vous tapez ou cliquez (elle le fait encore quand le focus quitte la fenêtre cible)</translation>
    </message>
    <message>
        <source>no Wayland compositor lets an application see clicks made in other applications</source>
        <translation>aucun compositeur Wayland ne laisse une application voir les clics faits dans d&apos;autres applications</translation>
    </message>
    <message>
        <source>use a desktop that offers it</source>
        <translation>utilisez un bureau qui le permet</translation>
    </message>
    <message>
        <source>turn on assistive technologies (accessibility) in the desktop&apos;s settings and log in again</source>
        <translation>activez les technologies d&apos;assistance (accessibilité) dans les paramètres du bureau et reconnectez-vous</translation>
    </message>
    <message>
        <source>start Keyferry inside a graphical session (DISPLAY or WAYLAND_DISPLAY set)</source>
        <translation>lancez Keyferry dans une session graphique (DISPLAY ou WAYLAND_DISPLAY défini)</translation>
    </message>
    <message>
        <source>log in to an X11 (Xorg) session, or use sway or another wlroots compositor</source>
        <translation>connectez-vous à une session X11 (Xorg), ou utilisez sway ou un autre compositeur wlroots</translation>
    </message>
    <message>
        <source>turn on Keyferry&apos;s GNOME Shell extension (Keyferry&apos;s start script installs it): gnome-extensions enable keyferry@keyferry.org, then log out and in again</source>
        <translation>activez l&apos;extension GNOME Shell de Keyferry (le script de démarrage de Keyferry l&apos;installe) : gnome-extensions enable keyferry@keyferry.org, puis déconnectez-vous et reconnectez-vous</translation>
    </message>
    <message>
        <source>keep to your layout&apos;s characters or add a layout that has them; a run names the characters it cannot type before it starts</source>
        <translation>restez aux caractères de votre disposition ou ajoutez une disposition qui les contient ; une exécution nomme les caractères qu&apos;elle ne peut pas taper avant de commencer</translation>
    </message>
    <message>
        <source>install xdg-desktop-portal and xdg-desktop-portal-gnome</source>
        <translation>installez xdg-desktop-portal et xdg-desktop-portal-gnome</translation>
    </message>
    <message>
        <source>use Tab and arrow keys instead of clicks, or run on an X11 session</source>
        <translation>utilisez Tab et les flèches au lieu des clics, ou travaillez dans une session X11</translation>
    </message>
    <message>
        <source>start Keyferry from inside the sway session, so that SWAYSOCK is set, or use sway</source>
        <translation>lancez Keyferry depuis la session sway, pour que SWAYSOCK soit défini, ou utilisez sway</translation>
    </message>
    <message>
        <source>use templates without clicks at window positions, or use sway</source>
        <translation>utilisez des modèles sans clics à des positions de fenêtre, ou utilisez sway</translation>
    </message>
    <message>
        <source>stop a run with Ctrl+C in its terminal or the Stop button in Keyferry&apos;s window</source>
        <translation>arrêtez une exécution avec Ctrl+C dans son terminal ou le bouton Arrêter de la fenêtre de Keyferry</translation>
    </message>
    <message>
        <source>record the template on an X11 session, or write its steps in the template editor</source>
        <translation>enregistrez le modèle dans une session X11, ou écrivez ses étapes dans l&apos;éditeur de modèles</translation>
    </message>
    <message>
        <source>turn on assistive technologies in your session, or add the fields as steps in the template editor</source>
        <translation>activez les technologies d&apos;assistance dans votre session, ou ajoutez les champs comme étapes dans l&apos;éditeur de modèles</translation>
    </message>
    <message>
        <source>record on sway, started so that SWAYSOCK is set, or add the fields as steps in the template editor</source>
        <translation>enregistrez sous sway, lancé de sorte que SWAYSOCK soit défini, ou ajoutez les champs comme étapes dans l&apos;éditeur de modèles</translation>
    </message>
    <message>
        <source>keep your hands off the keyboard and mouse during a run, or stop it first</source>
        <translation>ne touchez ni au clavier ni à la souris pendant une exécution, ou arrêtez-la d&apos;abord</translation>
    </message>
    <message>
        <source>use a Pause step instead of waiting for a click, or run on an X11 session</source>
        <translation>utilisez une étape Pause au lieu d&apos;attendre un clic, ou travaillez dans une session X11</translation>
    </message>
    <message>
        <source>the desktop portal places clicks only within a screen cast, which Keyferry does not ask for, or through libei, which failed: %1</source>
        <translation>le portail de bureau ne place des clics que dans une capture d&apos;écran partagée, que Keyferry ne demande pas, ou par libei, qui a échoué : %1</translation>
    </message>
    <message>
        <source>the compositor refused the virtual keyboard (%1)</source>
        <translation>le compositeur a refusé le clavier virtuel (%1)</translation>
    </message>
    <message>
        <source>the compositor offers no virtual keyboard to applications</source>
        <translation>le compositeur n&apos;offre pas de clavier virtuel aux applications</translation>
    </message>
    <message>
        <source>the compositor offers no virtual pointer to applications</source>
        <translation>le compositeur n&apos;offre pas de pointeur virtuel aux applications</translation>
    </message>
    <message>
        <source>the keymap could not be uploaded</source>
        <translation>la table des touches n&apos;a pas pu être transmise</translation>
    </message>
    <message>
        <source>no sway IPC socket (SWAYSOCK is not set)</source>
        <translation>pas de socket IPC de sway (SWAYSOCK n&apos;est pas défini)</translation>
    </message>
    <message>
        <source>the desktop portal places clicks only within a screen cast, which Keyferry does not ask for</source>
        <translation>le portail de bureau ne place des clics que dans une capture d&apos;écran partagée, que Keyferry ne demande pas</translation>
    </message>
</context>
<context>
    <name>keyferry::HelpWindow</name>
    <message>
        <source>Keyferry Help</source>
        <translation>Aide de Keyferry</translation>
    </message>
    <message>
        <source>Automated form filling from CSV templates</source>
        <translation>Remplissage automatique de formulaires à partir de modèles CSV</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Présentation</translation>
    </message>
    <message>
        <source>Keyferry automates repetitive data entry by simulating keyboard input in any target application. You define a workflow of steps (text inputs, tabs, returns, etc.), load data from a CSV file, and Keyferry types it into the target app — row by row.</source>
        <translation>Keyferry automatise la saisie répétitive de données en simulant le clavier dans n’importe quelle application cible. Vous définissez un enchaînement d’étapes (saisies de texte, tabulations, touche Entrée, etc.), chargez les données d’un fichier CSV, et Keyferry les tape dans l’application cible, ligne par ligne.</translation>
    </message>
    <message>
        <source>Getting Started</source>
        <translation>Premiers pas</translation>
    </message>
    <message>
        <source>Grant Accessibility Permission</source>
        <translation>Autoriser l’accessibilité</translation>
    </message>
    <message>
        <source>Keyferry works in an X11 session and needs the desktop&apos;s assistive technologies turned on, so that applications show which field has the focus. On first launch Keyferry asks for it; press &quot;Enable Assistive Technologies&quot; and restart the applications you want to fill in. This is required to simulate keyboard input.</source>
        <translation>Keyferry fonctionne dans une session X11 et a besoin que les technologies d’assistance du bureau soient activées, afin que les applications indiquent quel champ a le focus. Au premier lancement, Keyferry le demande ; cliquez sur « Activer les technologies d’assistance » et redémarrez les applications que vous voulez remplir. C’est indispensable pour simuler le clavier.</translation>
    </message>
    <message>
        <source>Create a Template</source>
        <translation>Créer un modèle</translation>
    </message>
    <message>
        <source>Click the + button in the sidebar to create a new template. Give it a name and select a target application from the dropdown.</source>
        <translation>Cliquez sur le bouton + dans la barre latérale pour créer un nouveau modèle. Donnez-lui un nom et choisissez une application cible dans la liste déroulante.</translation>
    </message>
    <message>
        <source>Define Steps</source>
        <translation>Définir les étapes</translation>
    </message>
    <message>
        <source>Add steps manually with &quot;Add Step&quot; or use the recorder to capture your workflow automatically.</source>
        <translation>Ajoutez des étapes à la main avec « Ajouter une étape » ou utilisez l’enregistreur pour capturer votre enchaînement automatiquement.</translation>
    </message>
    <message>
        <source>Import CSV Data</source>
        <translation>Importer les données CSV</translation>
    </message>
    <message>
        <source>Export a CSV template, fill it with your data, then import it back. Drag &amp; drop also works.</source>
        <translation>Exportez un modèle CSV, remplissez-le avec vos données, puis réimportez-le. Le glisser-déposer fonctionne aussi.</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Exécuter</translation>
    </message>
    <message>
        <source>Click &quot;Start&quot; in the Runner panel to begin automated entry.</source>
        <translation>Cliquez sur « Démarrer » dans le panneau Exécution pour lancer la saisie automatique.</translation>
    </message>
    <message>
        <source>Templates</source>
        <translation>Modèles</translation>
    </message>
    <message>
        <source>A template defines the workflow for filling out a form. It consists of:</source>
        <translation>Un modèle définit l’enchaînement qui remplit un formulaire. Il se compose de :</translation>
    </message>
    <message>
        <source>Template Name</source>
        <translation>Nom du modèle</translation>
    </message>
    <message>
        <source>A descriptive name shown in the sidebar</source>
        <translation>Un nom explicite affiché dans la barre latérale</translation>
    </message>
    <message>
        <source>Target App</source>
        <translation>Application cible</translation>
    </message>
    <message>
        <source>The application where input will be simulated</source>
        <translation>L’application dans laquelle la saisie est simulée</translation>
    </message>
    <message>
        <source>Steps</source>
        <translation>Étapes</translation>
    </message>
    <message>
        <source>An ordered list of actions to perform per data row</source>
        <translation>Une liste ordonnée d’actions à effectuer pour chaque ligne de données</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Countdown, character delay, and post-delay timing</source>
        <translation>Compte à rebours, délai entre caractères et délai après étape</translation>
    </message>
    <message>
        <source>Right-click a template in the sidebar to rename, duplicate, or delete it.</source>
        <translation>Faites un clic droit sur un modèle dans la barre latérale pour le renommer, le dupliquer ou le supprimer.</translation>
    </message>
    <message>
        <source>Step Types</source>
        <translation>Types d’étapes</translation>
    </message>
    <message>
        <source>Types text from the CSV column (or a fixed value) into the current field. Automatically presses Tab after typing.</source>
        <translation>Tape le texte de la colonne CSV (ou une valeur fixe) dans le champ actuel. Appuie automatiquement sur Tab après la saisie.</translation>
    </message>
    <message>
        <source>Presses the Tab key to move to the next field.</source>
        <translation>Appuie sur la touche Tab pour passer au champ suivant.</translation>
    </message>
    <message>
        <source>Presses the Return/Enter key.</source>
        <translation>Appuie sur la touche Entrée (Return/Enter).</translation>
    </message>
    <message>
        <source>Pauses and waits for you to click in the target app before continuing. Useful for navigating to a specific location.</source>
        <translation>Fait une pause et attend que vous cliquiez dans l’application cible avant de continuer. Pratique pour se placer à un endroit précis.</translation>
    </message>
    <message>
        <source>Waits for the configured post-delay duration.</source>
        <translation>Attend la durée du délai après étape configuré.</translation>
    </message>
    <message>
        <source>Presses Tab multiple times (set via the Repeat column).</source>
        <translation>Appuie plusieurs fois sur Tab (nombre réglé dans la colonne de répétition).</translation>
    </message>
    <message>
        <source>Selects all text in the current field (Ctrl+A) and deletes it.</source>
        <translation>Sélectionne tout le texte du champ actuel (Ctrl+A) et le supprime.</translation>
    </message>
    <message>
        <source>Presses an arrow key (Up/Down/Left/Right). Supports repeat count for multiple presses.</source>
        <translation>Appuie sur une touche fléchée (haut/bas/gauche/droite). Accepte un nombre de répétitions pour plusieurs appuis.</translation>
    </message>
    <message>
        <source>Simulates a mouse click (Left/Right, Single/Double). Can click at the current mouse position or at recorded coordinates relative to the target app window.</source>
        <translation>Simule un clic de souris (gauche/droit, simple/double). Peut cliquer à la position actuelle de la souris ou à des coordonnées enregistrées, relatives à la fenêtre de l’application cible.</translation>
    </message>
    <message>
        <source>Fixed Values</source>
        <translation>Valeurs fixes</translation>
    </message>
    <message>
        <source>Click the pin icon next to a Text Input step to set a fixed value. Fixed values are typed for every row instead of reading from the CSV file. Fixed steps don&apos;t require a CSV column.</source>
        <translation>Cliquez sur l’icône d’épingle à côté d’une étape Saisie de texte pour définir une valeur fixe. Les valeurs fixes sont tapées pour chaque ligne au lieu d’être lues dans le fichier CSV. Les étapes fixes n’ont pas besoin de colonne CSV.</translation>
    </message>
    <message>
        <source>Click the pin icon again to unpin and revert to CSV-based input.</source>
        <translation>Cliquez de nouveau sur l’icône d’épingle pour la retirer et revenir à une saisie tirée du CSV.</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Enregistrement</translation>
    </message>
    <message>
        <source>The Recorder captures your workflow by watching which fields you navigate through:</source>
        <translation>L’enregistreur capture votre enchaînement en observant les champs que vous parcourez :</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>Click the red &quot;Record&quot; button</source>
        <translation>Cliquez sur le bouton rouge « Enregistrer »</translation>
    </message>
    <message>
        <source>Begin</source>
        <translation>Commencer</translation>
    </message>
    <message>
        <source>In the target app, put the focus just before the first field (Shift+Tab): each Tab records the element it reaches</source>
        <translation>Dans l’application cible, placez le focus juste avant le premier champ (Shift+Tab) : chaque Tab enregistre l’élément qu’il atteint</translation>
    </message>
    <message>
        <source>Navigate</source>
        <translation>Naviguer</translation>
    </message>
    <message>
        <source>Use Tab to move between fields in the target app</source>
        <translation>Utilisez Tab pour passer d’un champ à l’autre dans l’application cible</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Envoyer</translation>
    </message>
    <message>
        <source>Press Return on the button that sends the form</source>
        <translation>Appuyez sur Entrée sur le bouton qui envoie le formulaire</translation>
    </message>
    <message>
        <source>Toggle Type</source>
        <translation>Changer de type</translation>
    </message>
    <message>
        <source>Press Alt+Space to change a step&apos;s type</source>
        <translation>Appuyez sur Alt+Space pour changer le type d’une étape</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Press Esc to finish recording</source>
        <translation>Appuyez sur Esc pour terminer l’enregistrement</translation>
    </message>
    <message>
        <source>After recording, you can either replace all existing steps or insert the recorded steps after a specific position.</source>
        <translation>Après l’enregistrement, vous pouvez soit remplacer toutes les étapes existantes, soit insérer les étapes enregistrées après une position donnée.</translation>
    </message>
    <message>
        <source>CSV Data</source>
        <translation>Données CSV</translation>
    </message>
    <message>
        <source>Keyferry uses semicolon-separated CSV files (;) with a header row. Column names must match the labels of your Text Input steps.</source>
        <translation>Keyferry utilise des fichiers CSV séparés par des points-virgules (;) avec une ligne d’en-tête. Les noms de colonnes doivent correspondre aux libellés de vos étapes Saisie de texte.</translation>
    </message>
    <message>
        <source>CSV Export</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>Generates a CSV template with the correct headers for your template</source>
        <translation>Génère un modèle CSV avec les en-têtes adaptés à votre modèle</translation>
    </message>
    <message>
        <source>CSV Import</source>
        <translation>Import CSV</translation>
    </message>
    <message>
        <source>Loads a CSV file and validates it against your template</source>
        <translation>Charge un fichier CSV et le vérifie par rapport à votre modèle</translation>
    </message>
    <message>
        <source>Clipboard</source>
        <translation>Presse-papiers</translation>
    </message>
    <message>
        <source>Copies the header row to the clipboard for pasting into a spreadsheet</source>
        <translation>Copie la ligne d’en-tête dans le presse-papiers pour la coller dans un tableur</translation>
    </message>
    <message>
        <source>Drag &amp; Drop</source>
        <translation>Glisser-déposer</translation>
    </message>
    <message>
        <source>Drop a .csv file onto the CSV area to import it</source>
        <translation>Déposez un fichier .csv sur la zone CSV pour l’importer</translation>
    </message>
    <message>
        <source>Spreadsheets</source>
        <translation>Tableurs</translation>
    </message>
    <message>
        <source>Comma-, tab- and pipe-separated files, .xlsx and .ods workbooks import too; the CSV area shows the separator found (change it in the Separator box) and lets you pick a workbook&apos;s sheet</source>
        <translation>Les fichiers séparés par des virgules, des tabulations ou des barres verticales ainsi que les classeurs .xlsx et .ods s’importent aussi ; la zone CSV affiche le séparateur détecté (modifiable dans la case Séparateur) et permet de choisir la feuille d’un classeur</translation>
    </message>
    <message>
        <source>Paste Rows</source>
        <translation>Coller des lignes</translation>
    </message>
    <message>
        <source>Copy the cells in a spreadsheet, header row included, and press Ctrl+V in the CSV area (or Edit &gt; Paste Rows)</source>
        <translation>Copiez les cellules dans un tableur, ligne d’en-tête comprise, puis appuyez sur Ctrl+V dans la zone CSV (ou Édition &gt; Coller des lignes)</translation>
    </message>
    <message>
        <source>Runner</source>
        <translation>Exécution</translation>
    </message>
    <message>
        <source>The Runner executes your template against the loaded CSV data:</source>
        <translation>L’exécution applique votre modèle aux données CSV chargées :</translation>
    </message>
    <message>
        <source>Runs all entries from the specified starting row</source>
        <translation>Exécute toutes les entrées à partir de la ligne de départ indiquée</translation>
    </message>
    <message>
        <source>Test Run</source>
        <translation>Essai</translation>
    </message>
    <message>
        <source>Executes only one entry for testing</source>
        <translation>Exécute une seule entrée, pour tester</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Temporarily halts execution; click Resume to continue</source>
        <translation>Interrompt temporairement l’exécution ; cliquez sur Reprendre pour continuer</translation>
    </message>
    <message>
        <source>Cancels execution immediately (also via Ctrl+Shift+Esc)</source>
        <translation>Annule immédiatement l’exécution (aussi avec Ctrl+Shift+Esc)</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Reprendre</translation>
    </message>
    <message>
        <source>After completion or pause, resumes from where it left off</source>
        <translation>Après la fin ou une pause, reprend là où l’exécution s’était arrêtée</translation>
    </message>
    <message>
        <source>The runner shows a progress bar with the entries done and the time left during execution. If the target app loses focus, execution pauses automatically.</source>
        <translation>Pendant l’exécution, une barre de progression montre les entrées faites et le temps restant. Si l’application cible perd le focus, l’exécution se met automatiquement en pause.</translation>
    </message>
    <message>
        <source>With &quot;Pause when I type or click&quot; on, pressing a key or clicking anywhere pauses the run before its next keystroke, so that your input and Keyferry&apos;s never mix. While a Wait (Click) step waits for you, clicking is expected and does not pause.</source>
        <translation>Quand « Pause quand je tape ou clique » est activé, appuyer sur une touche ou cliquer n’importe où met l’exécution en pause avant sa frappe suivante, pour que vos saisies et celles de Keyferry ne se mélangent jamais. Pendant qu’une étape Attendre (clic) vous attend, un clic est attendu et ne met pas en pause.</translation>
    </message>
    <message>
        <source>After every typed field Keyferry reads the field back through the accessibility interface (&quot;Check typed text&quot;). A field that does not show what was typed pauses the run at that row, naming the field and both texts. Fields that cannot be read, such as password fields, are not checked.</source>
        <translation>Après chaque champ tapé, Keyferry relit le champ via l’interface d’accessibilité (« Vérifier le texte saisi »). Un champ qui n’affiche pas ce qui a été tapé met l’exécution en pause à cette ligne, en nommant le champ et les deux textes. Les champs illisibles, comme les champs de mot de passe, ne sont pas vérifiés.</translation>
    </message>
    <message>
        <source>Every run is recorded in a journal (in ~/.local/state/Keyferry/runs; it holds no cell values except the two texts of a mismatch). After a run the results list each row that was not entered; &quot;Run Failed Rows&quot; runs just those again, as long as the same CSV file is imported unchanged.</source>
        <translation>Chaque exécution est consignée dans un journal (dans ~/.local/state/Keyferry/runs ; il ne contient aucune valeur de cellule, hormis les deux textes d’une divergence). Après une exécution, les résultats listent chaque ligne qui n’a pas été saisie ; « Relancer les lignes en échec » exécute à nouveau celles-ci seulement, tant que le même fichier CSV reste importé sans modification.</translation>
    </message>
    <message>
        <source>Debug Mode</source>
        <translation>Mode débogage</translation>
    </message>
    <message>
        <source>Debug mode executes your workflow step-by-step in the actual target app, using realistic placeholder data. After each step, Keyferry waits for you to click &quot;Next&quot; before proceeding.</source>
        <translation>Le mode débogage exécute votre enchaînement étape par étape dans la véritable application cible, avec des données fictives réalistes. Après chaque étape, Keyferry attend que vous cliquiez sur « Suivant » pour continuer.</translation>
    </message>
    <message>
        <source>The current step is highlighted in purple in the step list. This is useful for verifying that your workflow matches the form layout before running it with real data.</source>
        <translation>L’étape en cours est surlignée en violet dans la liste des étapes. C’est utile pour vérifier que votre enchaînement correspond à la disposition du formulaire avant de l’exécuter avec de vraies données.</translation>
    </message>
    <message>
        <source>Saving</source>
        <translation>Enregistrement</translation>
    </message>
    <message>
        <source>Templates are saved automatically after 2 seconds of inactivity. You can also save manually with Ctrl+S or the Save button. An orange dot indicates unsaved changes; a green checkmark confirms the save.</source>
        <translation>Les modèles sont enregistrés automatiquement après 2 secondes d’inactivité. Vous pouvez aussi enregistrer à la main avec Ctrl+S ou le bouton Enregistrer. Un point orange signale des modifications non enregistrées ; une coche verte confirme l’enregistrement.</translation>
    </message>
    <message>
        <source>Advanced Settings</source>
        <translation>Paramètres avancés</translation>
    </message>
    <message>
        <source>Countdown (sec)</source>
        <translation>Compte à rebours (s)</translation>
    </message>
    <message>
        <source>Delay before execution starts, giving you time to switch to the target app</source>
        <translation>Délai avant le début de l’exécution, pour vous laisser le temps de passer à l’application cible</translation>
    </message>
    <message>
        <source>Char Delay (sec)</source>
        <translation>Délai entre caractères (s)</translation>
    </message>
    <message>
        <source>Delay between individual keystrokes when typing text</source>
        <translation>Délai entre deux frappes lors de la saisie du texte</translation>
    </message>
    <message>
        <source>Default Post-Delay (sec)</source>
        <translation>Délai après étape par défaut (s)</translation>
    </message>
    <message>
        <source>Delay after each step before the next one starts</source>
        <translation>Délai après chaque étape avant que la suivante commence</translation>
    </message>
    <message>
        <source>Check typed text</source>
        <translation>Vérifier le texte saisi</translation>
    </message>
    <message>
        <source>Reads each field back after typing and pauses when it shows something else</source>
        <translation>Relit chaque champ après la saisie et fait une pause s’il affiche autre chose</translation>
    </message>
    <message>
        <source>Clear field before typing</source>
        <translation>Vider le champ avant la saisie</translation>
    </message>
    <message>
        <source>Selects all and deletes before each value. Turn it off for spreadsheets: there select-all takes the whole sheet. Off, each value is typed and followed by Tab</source>
        <translation>Sélectionne tout et supprime avant chaque valeur. Désactivez-le pour les tableurs : « tout sélectionner » y prend toute la feuille. Désactivé, chaque valeur est tapée puis suivie de Tab</translation>
    </message>
    <message>
        <source>Individual steps can override the default post-delay via the Delay column in the step list.</source>
        <translation>Chaque étape peut remplacer le délai après étape par défaut grâce à la colonne Délai de la liste des étapes.</translation>
    </message>
    <message>
        <source>Spreadsheets: a spreadsheet&apos;s own AutoCorrect (curly quotes, a capital first letter, completing from earlier entries) changes what lands in a cell after Keyferry typed it. Switch those options off in the spreadsheet for entries to arrive exactly as in the CSV file.</source>
        <translation>Tableurs : la correction automatique propre à un tableur (guillemets typographiques, majuscule initiale, saisie semi-automatique à partir des entrées précédentes) modifie ce qui arrive dans une cellule après la frappe de Keyferry. Désactivez ces options dans le tableur pour que les entrées arrivent exactement comme dans le fichier CSV.</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Raccourcis clavier</translation>
    </message>
    <message>
        <source>Save template</source>
        <translation>Enregistrer le modèle</translation>
    </message>
    <message>
        <source>Emergency stop (works globally)</source>
        <translation>Arrêt d’urgence (fonctionne partout)</translation>
    </message>
    <message>
        <source>Scan next step (during recording)</source>
        <translation>Capturer l’étape suivante (pendant l’enregistrement)</translation>
    </message>
    <message>
        <source>Toggle field type (during recording)</source>
        <translation>Changer le type de champ (pendant l’enregistrement)</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Arrêter l’enregistrement</translation>
    </message>
    <message>
        <source>F1 or Ctrl+?</source>
        <translation>F1 ou Ctrl+?</translation>
    </message>
    <message>
        <source>Open this help</source>
        <translation>Ouvrir cette aide</translation>
    </message>
    <message>
        <source>Troubleshooting</source>
        <translation>Dépannage</translation>
    </message>
    <message>
        <source>Keys are typed incorrectly</source>
        <translation>Les touches sont mal tapées</translation>
    </message>
    <message>
        <source>Increase the Char Delay in Advanced Settings. Some apps need longer delays between keystrokes.</source>
        <translation>Augmentez le délai entre caractères dans les Paramètres avancés. Certaines applications ont besoin de délais plus longs entre les frappes.</translation>
    </message>
    <message>
        <source>Target app loses focus</source>
        <translation>L’application cible perd le focus</translation>
    </message>
    <message>
        <source>The runner pauses automatically. Click Resume to continue. Make sure no notifications or popups steal focus.</source>
        <translation>L’exécution se met automatiquement en pause. Cliquez sur Reprendre pour continuer. Veillez à ce qu’aucune notification ni fenêtre surgissante ne prenne le focus.</translation>
    </message>
    <message>
        <source>Accessibility permission lost</source>
        <translation>Autorisation d’accessibilité perdue</translation>
    </message>
    <message>
        <source>If assistive technologies were turned off in your desktop&apos;s settings, turn them on again and restart the applications you fill in.</source>
        <translation>Si les technologies d’assistance ont été désactivées dans les paramètres de votre bureau, réactivez-les et redémarrez les applications que vous remplissez.</translation>
    </message>
    <message>
        <source>A run pauses with &quot;Field ... shows ..., expected ...&quot;</source>
        <translation>Une exécution s’arrête sur « Le champ … affiche …, attendu … »</translation>
    </message>
    <message>
        <source>The field did not take the value as typed: it may limit its length, refuse characters or complete what you type. Mend the field or the CSV, go back to the form&apos;s first field and Resume; or turn off Check typed text.</source>
        <translation>Le champ n’a pas pris la valeur telle qu’elle a été tapée : il limite peut-être sa longueur, refuse des caractères ou complète ce que vous tapez. Corrigez le champ ou le CSV, revenez au premier champ du formulaire et cliquez sur Reprendre ; ou désactivez Vérifier le texte saisi.</translation>
    </message>
    <message>
        <source>Rows are &quot;entered&quot;, never &quot;verified&quot;</source>
        <translation>Les lignes sont « saisies », jamais « vérifiées »</translation>
    </message>
    <message>
        <source>The target does not let Keyferry read its fields. Chromium shows web page fields to assistive technologies only when started with --force-renderer-accessibility (or while a screen reader runs); a spreadsheet&apos;s cells cannot be read while they are edited.</source>
        <translation>La cible ne laisse pas Keyferry lire ses champs. Chromium ne montre les champs des pages web aux technologies d’assistance que s’il est lancé avec --force-renderer-accessibility (ou pendant qu’un lecteur d’écran tourne) ; les cellules d’un tableur ne peuvent pas être lues pendant leur modification.</translation>
    </message>
    <message>
        <source>CSV import fails</source>
        <translation>L’import CSV échoue</translation>
    </message>
    <message>
        <source>Ensure the CSV uses semicolons (;) as delimiters and that column names exactly match your Text Input step labels.</source>
        <translation>Vérifiez que le CSV utilise des points-virgules (;) comme séparateurs et que les noms de colonnes correspondent exactement aux libellés de vos étapes Saisie de texte.</translation>
    </message>
</context>
<context>
    <name>keyferry::MainWindow</name>
    <message>
        <source>No Template Selected</source>
        <translation>Aucun modèle sélectionné</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>&amp;Paste Rows</source>
        <translation>&amp;Coller des lignes</translation>
    </message>
    <message>
        <source>Take the rows on the clipboard, copied from a spreadsheet with the header row, as the table</source>
        <translation>Prendre comme tableau les lignes du presse-papiers, copiées d’un tableur avec la ligne d’en-tête</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>Keyferry Help</source>
        <translation>Aide de Keyferry</translation>
    </message>
</context>
<context>
    <name>keyferry::RecorderView</name>
    <message>
        <source>Tab = navigate  |  Alt+Space = toggle field type  |  Esc = stop</source>
        <translation>Tab = naviguer  |  Alt+Espace = changer le type de champ  |  Échap = arrêter</translation>
    </message>
    <message>
        <source>Tab = next field  |  Esc = stop</source>
        <translation>Tab = champ suivant  |  Échap = arrêter</translation>
    </message>
    <message>
        <source>This desktop does not show Keyferry your keys and clicks, so steps come from the fields you move to. Return, arrow keys and clicks are not recorded: add them by hand afterwards. Click positions cannot be recorded here either: Wayland does not tell applications where the pointer is.</source>
        <translation>Ce bureau ne montre pas à Keyferry vos touches et vos clics : les étapes viennent donc des champs où vous vous déplacez. Entrée, les touches fléchées et les clics ne sont pas enregistrés : ajoutez-les ensuite à la main. Les positions de clic ne peuvent pas non plus être enregistrées ici : Wayland n’indique pas aux applications où se trouve le pointeur.</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Enregistrement</translation>
    </message>
    <message>
        <source>Recording is on</source>
        <translation>L’enregistrement est en cours</translation>
    </message>
    <message>
        <source>Recording...</source>
        <translation>Enregistrement...</translation>
    </message>
    <message>
        <source>Keyferry is recording the steps you take in the form</source>
        <translation>Keyferry enregistre les étapes que vous effectuez dans le formulaire</translation>
    </message>
    <message>
        <source>Number of recorded steps</source>
        <translation>Nombre d’étapes enregistrées</translation>
    </message>
    <message>
        <source>How many steps have been recorded</source>
        <translation>Combien d’étapes ont été enregistrées</translation>
    </message>
    <message>
        <source>Recording keys</source>
        <translation>Touches de l’enregistrement</translation>
    </message>
    <message>
        <source>The keys that steer the recording</source>
        <translation>Les touches qui pilotent l’enregistrement</translation>
    </message>
    <message>
        <source>What cannot be recorded here</source>
        <translation>Ce qui ne peut pas être enregistré ici</translation>
    </message>
    <message>
        <source>Add Return, arrow key and click steps in the template editor</source>
        <translation>Ajoutez les étapes Entrée, touche fléchée et clic dans l’éditeur de modèle</translation>
    </message>
    <message>
        <source>Detected field</source>
        <translation>Champ détecté</translation>
    </message>
    <message>
        <source>The field the last step was named after</source>
        <translation>Le champ dont la dernière étape porte le nom</translation>
    </message>
    <message>
        <source>Alt+Space warning</source>
        <translation>Avertissement Alt+Espace</translation>
    </message>
    <message>
        <source>Another program also takes Alt+Space while Keyferry records</source>
        <translation>Un autre programme reçoit aussi Alt+Espace pendant que Keyferry enregistre</translation>
    </message>
    <message>
        <source>Alt+Space also reaches the window manager here (it may open its window menu; press Esc to close it).</source>
        <translation>Ici, Alt+Espace atteint aussi le gestionnaire de fenêtres (il peut ouvrir son menu de fenêtre ; appuyez sur Échap pour le fermer).</translation>
    </message>
    <message>
        <source>Recorded steps</source>
        <translation>Étapes enregistrées</translation>
    </message>
    <message>
        <source>The steps recorded so far</source>
        <translation>Les étapes enregistrées jusqu’ici</translation>
    </message>
    <message numerus="yes">
        <source>%n steps</source>
        <translation>
            <numerusform>%n étape</numerusform>
            <numerusform>%n étapes</numerusform>
        </translation>
    </message>
    <message>
        <source>⌶ Detected: </source>
        <translation>⌶ Détecté : </translation>
    </message>
</context>
<context>
    <name>keyferry::RenameDelegate</name>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Template name</source>
        <translation>Nom du modèle</translation>
    </message>
    <message>
        <source>Press Return to rename</source>
        <translation>Appuyez sur Entrée pour renommer</translation>
    </message>
</context>
<context>
    <name>keyferry::RunnerPanel</name>
    <message>
        <source>Ctrl+Shift+Esc = Stop</source>
        <translation>Ctrl+Maj+Échap = Arrêt</translation>
    </message>
    <message>
        <source>Stops a run from any application</source>
        <translation>Arrête une exécution depuis n’importe quelle application</translation>
    </message>
    <message>
        <source>Runner status</source>
        <translation>État de l’exécution</translation>
    </message>
    <message>
        <source>Run results</source>
        <translation>Résultats de l’exécution</translation>
    </message>
    <message>
        <source>Run Failed Rows</source>
        <translation>Relancer les lignes en échec</translation>
    </message>
    <message>
        <source>Rows that did not land</source>
        <translation>Lignes non arrivées</translation>
    </message>
    <message>
        <source>Each row the run did not enter, with what happened</source>
        <translation>Chaque ligne que l’exécution n’a pas saisie, avec ce qui s’est passé</translation>
    </message>
    <message>
        <source>From Entry:</source>
        <translation>À partir de l’entrée :</translation>
    </message>
    <message>
        <source>From entry</source>
        <translation>À partir de l’entrée</translation>
    </message>
    <message>
        <source>The first entry (row) of the table to enter</source>
        <translation>La première entrée (ligne) du tableau à saisir</translation>
    </message>
    <message>
        <source>Pause when I type or click</source>
        <translation>Pause quand je tape ou clique</translation>
    </message>
    <message>
        <source>Pause a run as soon as you use the keyboard or mouse (except while it waits for your click)</source>
        <translation>Mettre l’exécution en pause dès que vous utilisez le clavier ou la souris (sauf quand elle attend votre clic)</translation>
    </message>
    <message>
        <source>Test Run</source>
        <translation>Essai</translation>
    </message>
    <message>
        <source>Execute one entry</source>
        <translation>Exécuter une entrée</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>Enter every entry from the first one chosen</source>
        <translation>Saisir chaque entrée à partir de la première choisie</translation>
    </message>
    <message>
        <source>Starting</source>
        <translation>Démarrage</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Do not start the run</source>
        <translation>Ne pas démarrer l’exécution</translation>
    </message>
    <message>
        <source>Run progress</source>
        <translation>Progression de l’exécution</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Pause after the entry in progress</source>
        <translation>Mettre en pause après l’entrée en cours</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Stop the run now</source>
        <translation>Arrêter l’exécution maintenant</translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>En attente</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Reprendre</translation>
    </message>
    <message>
        <source>Go on from the entry where the run paused</source>
        <translation>Reprendre à l’entrée où l’exécution s’est mise en pause</translation>
    </message>
    <message>
        <source>End the run</source>
        <translation>Terminer l’exécution</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Resume from</source>
        <translation>Reprendre à</translation>
    </message>
    <message>
        <source>Go on with the entries not entered yet</source>
        <translation>Continuer avec les entrées pas encore saisies</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>Back to the start controls</source>
        <translation>Retour aux commandes de démarrage</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a number of rows and their status</comment>
        <translation>%2 : %1</translation>
    </message>
    <message>
        <source>Entry %1: %2%3</source>
        <translation>Entrée %1 : %2%3</translation>
    </message>
    <message numerus="yes">
        <source>%n not attempted</source>
        <translation>
            <numerusform>%n non tentée</numerusform>
            <numerusform>%n non tentées</numerusform>
        </translation>
    </message>
    <message>
        <source>Results: </source>
        <translation>Résultats : </translation>
    </message>
    <message>
        <source>no rows</source>
        <translation>aucune ligne</translation>
    </message>
    <message numerus="yes">
        <source>Run again only the %n entries that did not land</source>
        <translation>
            <numerusform>Relancer seulement l’entrée non arrivée (%n)</numerusform>
            <numerusform>Relancer seulement les %n entrées non arrivées</numerusform>
        </translation>
    </message>
    <message>
        <source>Start in %1...</source>
        <translation>Démarrage dans %1...</translation>
    </message>
    <message>
        <source>Entry %1 · %2 of %3 done</source>
        <translation>Entrée %1 · %2 sur %3 terminées</translation>
    </message>
    <message>
        <source>Click in target app... (%1/%2)</source>
        <translation>Cliquez dans l’application cible... (%1/%2)</translation>
    </message>
    <message>
        <source>Paused at entry %1/%2</source>
        <translation>En pause à l’entrée %1/%2</translation>
    </message>
    <message numerus="yes">
        <source>Done: %n successful</source>
        <translation>
            <numerusform>Terminé : %n réussie</numerusform>
            <numerusform>Terminé : %n réussies</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n errors</source>
        <translation>
            <numerusform>, %n erreur</numerusform>
            <numerusform>, %n erreurs</numerusform>
        </translation>
    </message>
    <message>
        <source>Resume from %1</source>
        <translation>Reprendre à %1</translation>
    </message>
    <message numerus="yes">
        <source>The table has only %n entries</source>
        <translation>
            <numerusform>Le tableau n’a que %n entrée</numerusform>
            <numerusform>Le tableau n’a que %n entrées</numerusform>
        </translation>
    </message>
    <message>
        <source>A debug run is under way in the editor</source>
        <translation>Un débogage est en cours dans l’éditeur</translation>
    </message>
    <message>
        <source>Not on this desktop: %1. What you can do: %2</source>
        <translation>Pas sur ce bureau : %1. Ce que vous pouvez faire : %2</translation>
    </message>
    <message>
        <source>The run&apos;s journal could not be written: %1</source>
        <translation>Le journal de l’exécution n’a pas pu être écrit : %1</translation>
    </message>
    <message>
        <source>The run&apos;s journal is incomplete: %1</source>
        <translation>Le journal de l’exécution est incomplet : %1</translation>
    </message>
    <message>
        <source>The run&apos;s journal could not be read: %1</source>
        <translation>Le journal de l’exécution n’a pas pu être lu : %1</translation>
    </message>
    <message>
        <source>The imported CSV file is not the one that run used, or it has changed since: import that file to run its failed rows.</source>
        <translation>Le fichier CSV importé n’est pas celui de cette exécution, ou il a changé depuis : importez ce fichier pour relancer ses lignes en échec.</translation>
    </message>
</context>
<context>
    <name>keyferry::StepTableAccessible</name>
    <message>
        <source>Step %1</source>
        <translation>Étape %1</translation>
    </message>
</context>
<context>
    <name>keyferry::StepTableModel</name>
    <message>
        <source>@ Mouse Position</source>
        <translation>@ Position de la souris</translation>
    </message>
    <message>
        <source>@ (%1, %2)</source>
        <translation>@ (%1, %2)</translation>
    </message>
    <message>
        <source>Checked before the step&apos;s first key: %1 %2</source>
        <translation>Vérifié avant la première touche de l’étape : %1 %2</translation>
    </message>
    <message>
        <source>, id %1</source>
        <translation>, id %1</translation>
    </message>
    <message>
        <source>, in “%1”</source>
        <translation>, dans « %1 »</translation>
    </message>
    <message>
        <source>. Enter records it again, Delete clears it</source>
        <translation>. Entrée l’enregistre à nouveau, Suppr l’efface</translation>
    </message>
    <message>
        <source>Step %1</source>
        <translation>Étape %1</translation>
    </message>
    <message>
        <source>Drag to move, or press Ctrl+Up or Ctrl+Down</source>
        <translation>Faites glisser pour déplacer, ou appuyez sur Ctrl+Haut ou Ctrl+Bas</translation>
    </message>
    <message>
        <source>Step %1 type, cannot run on this desktop</source>
        <translation>Type de l’étape %1, ne peut pas s’exécuter sur ce bureau</translation>
    </message>
    <message>
        <source>Step %1 type</source>
        <translation>Type de l’étape %1</translation>
    </message>
    <message>
        <source>What the step does (F2 to change)</source>
        <translation>Ce que fait l’étape (F2 pour modifier)</translation>
    </message>
    <message>
        <source>Column Name</source>
        <translation>Nom de colonne</translation>
    </message>
    <message>
        <source>Step %1 name</source>
        <translation>Nom de l’étape %1</translation>
    </message>
    <message>
        <source>The CSV column this step types</source>
        <translation>La colonne CSV que saisit cette étape</translation>
    </message>
    <message>
        <source>Only Text Input steps name a column</source>
        <translation>Seules les étapes de saisie de texte nomment une colonne</translation>
    </message>
    <message>
        <source>Step %1 fixed value</source>
        <translation>Valeur fixe de l’étape %1</translation>
    </message>
    <message>
        <source>Typed in every row instead of a CSV value; Space or the pin unpins it (use CSV value)</source>
        <translation>Saisie à chaque ligne au lieu d’une valeur CSV ; Espace ou l’épingle la détache (utiliser la valeur CSV)</translation>
    </message>
    <message>
        <source>Set fixed value: Space or the pin</source>
        <translation>Définir une valeur fixe : Espace ou l’épingle</translation>
    </message>
    <message>
        <source>Step %1 arrow</source>
        <translation>Flèche de l’étape %1</translation>
    </message>
    <message>
        <source>The arrow key pressed</source>
        <translation>La touche fléchée appuyée</translation>
    </message>
    <message>
        <source>Step %1 mouse button</source>
        <translation>Bouton de souris de l’étape %1</translation>
    </message>
    <message>
        <source>The mouse button pressed</source>
        <translation>Le bouton de souris appuyé</translation>
    </message>
    <message>
        <source>Step %1 click type</source>
        <translation>Type de clic de l’étape %1</translation>
    </message>
    <message>
        <source>A single or a double click</source>
        <translation>Un clic simple ou double</translation>
    </message>
    <message>
        <source>Step %1 click position</source>
        <translation>Position du clic de l’étape %1</translation>
    </message>
    <message>
        <source>Record click position: Enter or the target; Delete clears the position (use mouse position)</source>
        <translation>Enregistrer la position du clic : Entrée ou la cible ; Suppr efface la position (utiliser la position de la souris)</translation>
    </message>
    <message>
        <source>Choose a target app to record a click position; Delete clears the position (use mouse position)</source>
        <translation>Choisissez une application cible pour enregistrer une position de clic ; Suppr efface la position (utiliser la position de la souris)</translation>
    </message>
    <message>
        <source>Step %1 field</source>
        <translation>Champ de l’étape %1</translation>
    </message>
    <message>
        <source>No recorded field: the step is not checked. Enter records the field in the target app</source>
        <translation>Aucun champ enregistré : l’étape n’est pas vérifiée. Entrée enregistre le champ dans l’application cible</translation>
    </message>
    <message>
        <source>Step %1 delay (sec)</source>
        <translation>Délai de l’étape %1 (s)</translation>
    </message>
    <message>
        <source>Seconds to wait after the step</source>
        <translation>Secondes d’attente après l’étape</translation>
    </message>
    <message>
        <source>Step %1 repeat count</source>
        <translation>Répétitions de l’étape %1</translation>
    </message>
    <message>
        <source>How often the step is repeated</source>
        <translation>Combien de fois l’étape est répétée</translation>
    </message>
    <message>
        <source>This step is not repeated</source>
        <translation>Cette étape n’est pas répétée</translation>
    </message>
    <message>
        <source>Delete step %1</source>
        <translation>Supprimer l’étape %1</translation>
    </message>
    <message>
        <source>Enter or a click deletes the step</source>
        <translation>Entrée ou un clic supprime l’étape</translation>
    </message>
    <message>
        <source>Step %1, %2</source>
        <translation>Étape %1, %2</translation>
    </message>
    <message>
        <source>Delete the step</source>
        <translation>Supprimer l’étape</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Fixed Value</source>
        <translation>Valeur fixe</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>Option</translation>
    </message>
    <message>
        <source>Click</source>
        <translation>Clic</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Champ</translation>
    </message>
    <message>
        <source>Delay (sec)</source>
        <translation>Délai (s)</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Répétitions</translation>
    </message>
    <message>
        <source>Type</source>
        <comment>column header, short</comment>
        <translation>Type</translation>
    </message>
    <message>
        <source>Name</source>
        <comment>column header, short</comment>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Fixed Value</source>
        <comment>column header, short</comment>
        <translation>Valeur fixe</translation>
    </message>
    <message>
        <source>Option</source>
        <comment>column header, short</comment>
        <translation>Option</translation>
    </message>
    <message>
        <source>Click</source>
        <comment>column header, short</comment>
        <translation>Clic</translation>
    </message>
    <message>
        <source>Position</source>
        <comment>column header, short</comment>
        <translation>Position</translation>
    </message>
    <message>
        <source>Field</source>
        <comment>column header, short</comment>
        <translation>Champ</translation>
    </message>
    <message>
        <source>Delay (sec)</source>
        <comment>column header, short</comment>
        <translation>Délai (s)</translation>
    </message>
    <message>
        <source>Repeat</source>
        <comment>column header, short</comment>
        <translation>Répét.</translation>
    </message>
</context>
<context>
    <name>keyferry::StoreStatusView</name>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Templates file problem</source>
        <translation>Problème de fichier des modèles</translation>
    </message>
    <message>
        <source>The templates file found at start could not be read; it is kept, never overwritten</source>
        <translation>Le fichier des modèles trouvé au démarrage n’a pas pu être lu ; il est conservé, jamais écrasé</translation>
    </message>
    <message>
        <source>Save problem</source>
        <translation>Problème d’enregistrement</translation>
    </message>
    <message>
        <source>The last save failed; this goes away when a save succeeds</source>
        <translation>Le dernier enregistrement a échoué ; ceci disparaît dès qu’un enregistrement réussit</translation>
    </message>
    <message>
        <source>Templates file status</source>
        <translation>État du fichier des modèles</translation>
    </message>
    <message>
        <source>Not saved: %1. Your changes are kept only while Keyferry runs.</source>
        <translation>Non enregistré : %1. Vos modifications ne sont conservées que tant que Keyferry tourne.</translation>
    </message>
    <message>
        <source>The templates file %1 could not be read: %2.</source>
        <translation>Le fichier des modèles %1 n’a pas pu être lu : %2.</translation>
    </message>
    <message>
        <source> The original was moved to %1.</source>
        <translation> L’original a été déplacé vers %1.</translation>
    </message>
    <message>
        <source> It stays untouched and will be moved aside before the first save.</source>
        <translation> Il reste intact et sera mis de côté avant le premier enregistrement.</translation>
    </message>
    <message>
        <source>The templates could not be saved.</source>
        <translation>Les modèles n’ont pas pu être enregistrés.</translation>
    </message>
    <message>
        <source>

Your changes are kept only while Keyferry runs. Later save problems are shown at the bottom of the window.</source>
        <translation>

Vos modifications ne sont conservées que tant que Keyferry tourne. Les problèmes d’enregistrement suivants s’affichent en bas de la fenêtre.</translation>
    </message>
    <message>
        <source>Templates not saved</source>
        <translation>Modèles non enregistrés</translation>
    </message>
</context>
<context>
    <name>keyferry::TemplateDetailView</name>
    <message>
        <source>Save status</source>
        <translation>État de l’enregistrement</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Save the template now (Ctrl+S)</source>
        <translation>Enregistrer le modèle maintenant (Ctrl+S)</translation>
    </message>
    <message>
        <source>Runner</source>
        <translation>Exécution</translation>
    </message>
    <message>
        <source>Unsaved Changes</source>
        <translation>Modifications non enregistrées</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Enregistré</translation>
    </message>
    <message>
        <source>Not saved: %1</source>
        <translation>Non enregistré : %1</translation>
    </message>
    <message>
        <source>Whether the template is saved</source>
        <translation>Indique si le modèle est enregistré</translation>
    </message>
    <message>
        <source>Hide Runner</source>
        <translation>Masquer l’exécution</translation>
    </message>
    <message>
        <source>Show or hide the runner</source>
        <translation>Afficher ou masquer l’exécution</translation>
    </message>
    <message>
        <source>Import a CSV file with entries first</source>
        <translation>Importez d’abord un fichier CSV avec des entrées</translation>
    </message>
</context>
<context>
    <name>keyferry::TemplateEditor</name>
    <message>
        <source>Template Name</source>
        <translation>Nom du modèle</translation>
    </message>
    <message>
        <source>Template name</source>
        <translation>Nom du modèle</translation>
    </message>
    <message>
        <source>The name shown in the sidebar</source>
        <translation>Le nom affiché dans la barre latérale</translation>
    </message>
    <message>
        <source>Target App</source>
        <translation>Application cible</translation>
    </message>
    <message>
        <source>The application that receives the input</source>
        <translation>L’application qui reçoit la saisie</translation>
    </message>
    <message>
        <source>⚠ Duplicate column names found!</source>
        <translation>⚠ Noms de colonnes en double !</translation>
    </message>
    <message>
        <source>Steps</source>
        <translation>Étapes</translation>
    </message>
    <message>
        <source>Drag a step, or press Ctrl+Up or Ctrl+Down, to move it; F2 or typing edits a cell</source>
        <translation>Faites glisser une étape, ou appuyez sur Ctrl+Haut ou Ctrl+Bas, pour la déplacer ; F2 ou la frappe modifie une cellule</translation>
    </message>
    <message>
        <source>Debug step</source>
        <translation>Étape de débogage</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Execute the step shown</source>
        <translation>Exécuter l’étape affichée</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>End the debug run</source>
        <translation>Terminer le débogage</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Do not start the debug run</source>
        <translation>Ne pas démarrer le débogage</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Close the debug result</source>
        <translation>Fermer le résultat du débogage</translation>
    </message>
    <message>
        <source>Debug status</source>
        <translation>État du débogage</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Use the recorded steps</source>
        <translation>Utiliser les étapes enregistrées</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>Tout remplacer</translation>
    </message>
    <message>
        <source>Replace every step by the recorded ones</source>
        <translation>Remplacer toutes les étapes par celles enregistrées</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Abandonner</translation>
    </message>
    <message>
        <source>Keep the template as it was</source>
        <translation>Garder le modèle tel qu’il était</translation>
    </message>
    <message>
        <source>Insert After Step</source>
        <translation>Insérer après l’étape</translation>
    </message>
    <message>
        <source>Insert the recorded steps after the step chosen</source>
        <translation>Insérer les étapes enregistrées après l’étape choisie</translation>
    </message>
    <message>
        <source>Insert position</source>
        <translation>Position d’insertion</translation>
    </message>
    <message>
        <source>Where the recorded steps go</source>
        <translation>Où vont les étapes enregistrées</translation>
    </message>
    <message>
        <source>Add Step</source>
        <translation>Ajouter une étape</translation>
    </message>
    <message>
        <source>Append a Tab step</source>
        <translation>Ajouter une étape Tab à la fin</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>Tout supprimer</translation>
    </message>
    <message>
        <source>Remove every step</source>
        <translation>Supprimer toutes les étapes</translation>
    </message>
    <message>
        <source>Debug</source>
        <translation>Déboguer</translation>
    </message>
    <message>
        <source>Test workflow step-by-step in the target app (with placeholder data)</source>
        <translation>Tester le déroulement étape par étape dans l’application cible (avec des données fictives)</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Record the steps while you work through the form (Esc in the form stops)</source>
        <translation>Enregistrer les étapes pendant que vous parcourez le formulaire (Échap dans le formulaire arrête)</translation>
    </message>
    <message>
        <source>Advanced Settings</source>
        <translation>Paramètres avancés</translation>
    </message>
    <message>
        <source>Show or hide the timing settings</source>
        <translation>Afficher ou masquer les réglages de temps</translation>
    </message>
    <message>
        <source>Countdown (sec)</source>
        <translation>Compte à rebours (s)</translation>
    </message>
    <message>
        <source>Char Delay (sec)</source>
        <translation>Délai entre caractères (s)</translation>
    </message>
    <message>
        <source>Default Post-Delay (sec)</source>
        <translation>Délai après étape par défaut (s)</translation>
    </message>
    <message>
        <source>Check typed text</source>
        <translation>Vérifier le texte saisi</translation>
    </message>
    <message>
        <source>Read each field back after typing and pause the run when it does not show what was typed</source>
        <translation>Relire chaque champ après la saisie et mettre l’exécution en pause s’il n’affiche pas ce qui a été saisi</translation>
    </message>
    <message>
        <source>Clear field before typing</source>
        <translation>Vider le champ avant la saisie</translation>
    </message>
    <message>
        <source>Select all and delete before typing a value; turn off for spreadsheets, where select-all takes the whole sheet</source>
        <translation>Tout sélectionner et supprimer avant de saisir une valeur ; à désactiver pour les tableurs, où tout sélectionner prend toute la feuille</translation>
    </message>
    <message>
        <source>Wait for the next field</source>
        <translation>Attendre le champ suivant</translation>
    </message>
    <message>
        <source>Go on as soon as the next step&apos;s recorded field has the focus and is ready, instead of waiting each step&apos;s delay</source>
        <translation>Continuer dès que le champ enregistré de l’étape suivante a le focus et est prêt, au lieu d’attendre le délai de chaque étape</translation>
    </message>
    <message>
        <source>Longest Field Wait (sec)</source>
        <translation>Attente maximale du champ (s)</translation>
    </message>
    <message>
        <source>How long a run waits for the next step&apos;s field before it pauses</source>
        <translation>Combien de temps l’exécution attend le champ de l’étape suivante avant de se mettre en pause</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message numerus="yes">
        <source>%n steps recorded</source>
        <translation>
            <numerusform>%n étape enregistrée</numerusform>
            <numerusform>%n étapes enregistrées</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Existing workflow has %n steps</source>
        <translation>
            <numerusform>Le déroulement existant a %n étape</numerusform>
            <numerusform>Le déroulement existant a %n étapes</numerusform>
        </translation>
    </message>
    <message>
        <source>Beginning</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>Debug starts in %1...</source>
        <translation>Le débogage démarre dans %1...</translation>
    </message>
    <message>
        <source>Debug complete</source>
        <translation>Débogage terminé</translation>
    </message>
</context>
<context>
    <name>keyferry::TemplateListModel</name>
    <message>
        <source>%1 (not saved: %2)</source>
        <translation>%1 (non enregistré : %2)</translation>
    </message>
    <message>
        <source>Unnamed template</source>
        <translation>Modèle sans nom</translation>
    </message>
    <message>
        <source>, not saved</source>
        <translation>, non enregistré</translation>
    </message>
</context>
<context>
    <name>keyferry::TemplateSidebar</name>
    <message>
        <source>Templates</source>
        <translation>Modèles</translation>
    </message>
    <message>
        <source>New template</source>
        <translation>Nouveau modèle</translation>
    </message>
    <message>
        <source>Right-click a template to rename, duplicate or delete it</source>
        <translation>Clic droit sur un modèle pour le renommer, le dupliquer ou le supprimer</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Renommer</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Dupliquer</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>New Template</source>
        <comment>a new template&apos;s name</comment>
        <translation>Nouveau modèle</translation>
    </message>
    <message>
        <source>%1 (Copy)</source>
        <comment>a duplicated template&apos;s name</comment>
        <translation>%1 (copie)</translation>
    </message>
</context>
</TS>
