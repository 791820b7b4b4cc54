<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Game</name>
    <message>
        <source>Your turn.</source>
        <extracomment>Side panel, turn text when the player against the computer is to turn two cards.</extracomment>
        <translation>À toi de jouer.</translation>
    </message>
    <message>
        <source>1P&apos;s turn.</source>
        <extracomment>Side panel, turn text in a game of two people: the first player is to turn two cards.</extracomment>
        <translation>Joueur 1, à toi.</translation>
    </message>
    <message>
        <source>2P&apos;s turn.</source>
        <extracomment>Side panel, turn text in a game of two people: the second player is to turn two cards.</extracomment>
        <translation>Joueur 2, à toi.</translation>
    </message>
    <message>
        <source>Time over.</source>
        <extracomment>Side panel: the second card was not turned within 5 seconds, the turn is lost.</extracomment>
        <translation>Temps écoulé.</translation>
    </message>
    <message>
        <source>Computer thinking...</source>
        <extracomment>Side panel, while the computer chooses its two cards. Keep the three dots.</extracomment>
        <translation>L&apos;ordinateur réfléchit...</translation>
    </message>
    <message>
        <source>Game Over</source>
        <extracomment>Title of the message box at the end of a game.</extracomment>
        <translation>Partie terminée</translation>
    </message>
    <message>
        <source>Draw game!</source>
        <extracomment>End-of-game message: both players have the same score.</extracomment>
        <translation>Égalité&#xa0;!</translation>
    </message>
    <message>
        <source>You win.</source>
        <extracomment>End-of-game message: the player beat the computer.</extracomment>
        <translation>Tu as gagné.</translation>
    </message>
    <message>
        <source>Computer win.</source>
        <extracomment>End-of-game message: the computer beat the player.</extracomment>
        <translation>L&apos;ordinateur a gagné.</translation>
    </message>
    <message>
        <source>Player 1 win.</source>
        <extracomment>End-of-game message in a game of two people: the first player has more points.</extracomment>
        <translation>Le joueur 1 a gagné.</translation>
    </message>
    <message>
        <source>Player 2 win.</source>
        <extracomment>End-of-game message in a game of two people: the second player has more points.</extracomment>
        <translation>Le joueur 2 a gagné.</translation>
    </message>
    <message>
        <source>You</source>
        <extracomment>Side panel, name of the person playing against the computer. Short: about 10 narrow letters.</extracomment>
        <translation>Toi</translation>
    </message>
    <message>
        <source>Computer</source>
        <extracomment>Side panel, name of the computer opponent. Short: about 10 narrow letters.</extracomment>
        <translation>Ordinateur</translation>
    </message>
    <message>
        <source>Player 1</source>
        <extracomment>Side panel, name of the first of two people; screen readers also call the upper name so. Short: about 10 narrow letters.</extracomment>
        <translation>Joueur 1</translation>
    </message>
    <message>
        <source>Player 2</source>
        <extracomment>Side panel, name of the second of two people; screen readers also call the lower name so. Short: about 10 narrow letters.</extracomment>
        <translation>Joueur 2</translation>
    </message>
</context>
<context>
    <name>vimbrel::AboutBox</name>
    <message>
        <source>About %1</source>
        <extracomment>Title of the About box; %1 is the program&apos;s name.</extracomment>
        <translation>À propos de %1</translation>
    </message>
    <message>
        <source>%1 emblem</source>
        <extracomment>Screen readers: the About box&apos;s picture of the game&apos;s emblem; %1 is the program&apos;s name.</extracomment>
        <translation>Emblème de %1</translation>
    </message>
    <message>
        <source>Thanks for Playing</source>
        <extracomment>About box: the button that closes it. About 18 letters at most.</extracomment>
        <translation>Merci d&apos;avoir joué</translation>
    </message>
    <message>
        <source>%1 %2 for Windows95</source>
        <extracomment>About box, the title line in bold; %1 is the program&apos;s name, %2 its version (3.0). Keep &quot;Windows95&quot;.</extracomment>
        <translation>%1 %2 pour Windows95</translation>
    </message>
    <message>
        <source>A memory card game for one player against a forgetful computer, or for two players.</source>
        <extracomment>About box: what the game is, in three lines at most.</extracomment>
        <translation>Un jeu de mémoire avec des cartes, seul contre un ordinateur qui oublie, ou à deux.</translation>
    </message>
    <message>
        <source>Version %1</source>
        <extracomment>About box: %1 is the version number.</extracomment>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Card pictures: Twemoji by Twitter, Inc and other contributors, CC-BY 4.0</source>
        <extracomment>About box: who drew the card pictures, and their licence; two lines at most. Keep the names &quot;Twemoji&quot; and &quot;Twitter, Inc&quot; and the licence&apos;s name &quot;CC-BY 4.0&quot;.</extracomment>
        <translation>Images des cartes&#xa0;: Twemoji par Twitter, Inc et d&apos;autres contributeurs, CC-BY 4.0</translation>
    </message>
    <message>
        <source>https://creativecommons.org/licenses/by/4.0/</source>
        <extracomment>About box: the web page of the card pictures&apos; licence. Its line has no room for a longer address (such as the page in your language, .../deed.de): keep it as it is.</extracomment>
        <translation>https://creativecommons.org/licenses/by/4.0/</translation>
    </message>
    <message>
        <source>Uses the Qt toolkit under the GNU LGPL v3.</source>
        <extracomment>About box, beside the button: the toolkit the game is built with and its licence; two short lines at most.</extracomment>
        <translation>Utilise la bibliothèque Qt sous licence GNU LGPL v3.</translation>
    </message>
</context>
<context>
    <name>vimbrel::BoardMenus</name>
    <message>
        <source>Game</source>
        <extracomment>Menu bar: the game&apos;s commands (New, Show Cards, Game Speed, Exit, About).</extracomment>
        <translation>Jeu</translation>
    </message>
    <message>
        <source>New</source>
        <extracomment>Game menu: deals a new game after asking for the players and the board size.</extracomment>
        <translation>Nouvelle partie</translation>
    </message>
    <message>
        <source>Show Cards</source>
        <extracomment>Game menu: turns every face-down card face up; the game cannot go on afterwards.</extracomment>
        <translation>Montrer les cartes</translation>
    </message>
    <message>
        <source>Game Speed</source>
        <extracomment>Game menu: opens the dialog that sets how fast the cards open and close.</extracomment>
        <translation>Vitesse du jeu</translation>
    </message>
    <message>
        <source>Exit</source>
        <extracomment>Game menu: ends the program.</extracomment>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>About</source>
        <extracomment>Game menu: opens the box with the program&apos;s name, version and credits.</extracomment>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Size</source>
        <extracomment>Menu bar: the board size (the number of cards).</extracomment>
        <translation>Taille</translation>
    </message>
    <message>
        <source>6 by 6</source>
        <extracomment>Size menu: a board of 6 rows of 6 cards.</extracomment>
        <translation>6 par 6</translation>
    </message>
    <message>
        <source>8 by 8</source>
        <extracomment>Size menu: a board of 8 rows of 8 cards.</extracomment>
        <translation>8 par 8</translation>
    </message>
    <message>
        <source>10 by 10</source>
        <extracomment>Size menu: a board of 10 rows of 10 cards.</extracomment>
        <translation>10 par 10</translation>
    </message>
    <message>
        <source>Players</source>
        <extracomment>Menu bar: who plays.</extracomment>
        <translation>Joueurs</translation>
    </message>
    <message>
        <source>1P vs Com</source>
        <extracomment>Players menu: one person against the computer.</extracomment>
        <translation>Contre l&apos;ordinateur</translation>
    </message>
    <message>
        <source>1P vs 2P</source>
        <extracomment>Players menu: two people taking turns at one computer.</extracomment>
        <translation>À deux</translation>
    </message>
    <message>
        <source>Computer</source>
        <extracomment>Menu bar: how well the computer opponent remembers and how it chooses cards.</extracomment>
        <translation>Ordinateur</translation>
    </message>
    <message>
        <source>Good Memory</source>
        <extracomment>Computer menu: the computer forgets the cards it has seen slowly (hardest opponent).</extracomment>
        <translation>Bonne mémoire</translation>
    </message>
    <message>
        <source>Normal Memory</source>
        <extracomment>Computer menu: the computer forgets the cards it has seen at a medium pace.</extracomment>
        <translation>Mémoire normale</translation>
    </message>
    <message>
        <source>Low Memory</source>
        <extracomment>Computer menu: the computer forgets the cards it has seen quickly (easiest opponent).</extracomment>
        <translation>Mémoire faible</translation>
    </message>
    <message>
        <source>Choosing with AI and Memory</source>
        <extracomment>Computer menu: when the computer guesses, it prefers the cards it has seen least often.</extracomment>
        <translation>Choix avec l&apos;IA et la mémoire</translation>
    </message>
    <message>
        <source>Choosing only with Memory</source>
        <extracomment>Computer menu: when the computer guesses, any card it does not remember is as likely.</extracomment>
        <translation>Choix avec la mémoire seule</translation>
    </message>
</context>
<context>
    <name>vimbrel::BoardView</name>
    <message>
        <source>Board</source>
        <extracomment>Screen readers: the grid of cards, read as a list of its cards.</extracomment>
        <translation>Plateau</translation>
    </message>
    <message>
        <source>empty</source>
        <extracomment>Screen readers: a cell whose pair was taken, after &quot;Row 2, column 3, &quot;.</extracomment>
        <translation>vide</translation>
    </message>
    <message>
        <source>hidden</source>
        <extracomment>Screen readers: a face-down card, whose picture is never told, after &quot;Row 2, column 3, &quot;.</extracomment>
        <translation>cachée</translation>
    </message>
    <message>
        <source>Row %1, column %2, %3</source>
        <extracomment>Screen readers: a card on the board; %1 its row and %2 its column, counted from the top left corner, %3 what lies there: &quot;hidden&quot;, &quot;empty&quot; or its picture when it is face up (a frog...).</extracomment>
        <translation>Ligne %1, colonne %2, %3</translation>
    </message>
</context>
<context>
    <name>vimbrel::CardPictures</name>
    <message>
        <source>genie</source>
        <extracomment>Screen readers: the picture on a face-up card (a genie coming out of a lamp).</extracomment>
        <translation>génie</translation>
    </message>
    <message>
        <source>frog</source>
        <extracomment>Screen readers: the picture on a face-up card (a frog&apos;s face; the game&apos;s emblem).</extracomment>
        <translation>grenouille</translation>
    </message>
    <message>
        <source>jellyfish</source>
        <extracomment>Screen readers: the picture on a face-up card.</extracomment>
        <translation>méduse</translation>
    </message>
    <message>
        <source>telephone</source>
        <extracomment>Screen readers: the picture on a face-up card (an old desk telephone).</extracomment>
        <translation>téléphone</translation>
    </message>
    <message>
        <source>handshake</source>
        <extracomment>Screen readers: the picture on a face-up card (two hands shaking).</extracomment>
        <translation>poignée de main</translation>
    </message>
    <message>
        <source>computer mouse</source>
        <extracomment>Screen readers: the picture on a face-up card (the pointing device).</extracomment>
        <translation>souris d&apos;ordinateur</translation>
    </message>
    <message>
        <source>mouse</source>
        <extracomment>Screen readers: the picture on a face-up card (the animal&apos;s face).</extracomment>
        <translation>souris</translation>
    </message>
    <message>
        <source>cloud</source>
        <extracomment>Screen readers: the picture on a face-up card.</extracomment>
        <translation>nuage</translation>
    </message>
    <message>
        <source>snowflake</source>
        <extracomment>Screen readers: the picture on a face-up card.</extracomment>
        <translation>flocon de neige</translation>
    </message>
    <message>
        <source>robot</source>
        <extracomment>Screen readers: the picture on a face-up card (a robot&apos;s head).</extracomment>
        <translation>robot</translation>
    </message>
    <message>
        <source>bicycle</source>
        <extracomment>Screen readers: the picture on a face-up card.</extracomment>
        <translation>vélo</translation>
    </message>
    <message>
        <source>cars</source>
        <extracomment>Screen readers: the picture on a face-up card (two cars, one behind the other).</extracomment>
        <translation>voitures</translation>
    </message>
    <message>
        <source>rocket</source>
        <extracomment>Screen readers: the picture on a face-up card.</extracomment>
        <translation>fusée</translation>
    </message>
    <message>
        <source>aeroplane</source>
        <extracomment>Screen readers: the picture on a face-up card.</extracomment>
        <translation>avion</translation>
    </message>
    <message>
        <source>clock</source>
        <extracomment>Screen readers: the picture on a face-up card (a mantelpiece clock).</extracomment>
        <translation>horloge</translation>
    </message>
    <message>
        <source>cat</source>
        <extracomment>Screen readers: the picture on a face-up card (a black cat).</extracomment>
        <translation>chat</translation>
    </message>
    <message>
        <source>book</source>
        <extracomment>Screen readers: the picture on a face-up card (an open book).</extracomment>
        <translation>livre</translation>
    </message>
    <message>
        <source>letter</source>
        <extracomment>Screen readers: the picture on a face-up card (a letter in an envelope).</extracomment>
        <translation>lettre</translation>
    </message>
    <message>
        <source>pen</source>
        <extracomment>Screen readers: the picture on a face-up card (a ballpoint pen).</extracomment>
        <translation>stylo</translation>
    </message>
    <message>
        <source>match</source>
        <extracomment>Screen readers: the picture on a face-up card (a burning match).</extracomment>
        <translation>allumette</translation>
    </message>
    <message>
        <source>imp</source>
        <extracomment>Screen readers: the picture on a face-up card (a small purple devil&apos;s face).</extracomment>
        <translation>diablotin</translation>
    </message>
    <message>
        <source>bell</source>
        <extracomment>Screen readers: the picture on a face-up card.</extracomment>
        <translation>cloche</translation>
    </message>
    <message>
        <source>watch</source>
        <extracomment>Screen readers: the picture on a face-up card (a wrist watch).</extracomment>
        <translation>montre</translation>
    </message>
    <message>
        <source>Christmas tree</source>
        <extracomment>Screen readers: the picture on a face-up card.</extracomment>
        <translation>sapin de Noël</translation>
    </message>
    <message>
        <source>light bulb</source>
        <extracomment>Screen readers: the picture on a face-up card.</extracomment>
        <translation>ampoule</translation>
    </message>
</context>
<context>
    <name>vimbrel::GameNarrator</name>
    <message>
        <source>Row %1, column %2: %3.</source>
        <extracomment>Screen readers: a card the computer turns; %1 row, %2 column, %3 its picture (a frog...).</extracomment>
        <translation>Ligne %1, colonne %2&#xa0;: %3.</translation>
    </message>
    <message>
        <source>No pair.</source>
        <extracomment>Screen readers: the two cards turned are different and close again.</extracomment>
        <translation>Pas de paire.</translation>
    </message>
    <message>
        <source>Round %1.</source>
        <extracomment>Screen readers: a new round begins; %1 is its number.</extracomment>
        <translation>Tour %1.</translation>
    </message>
    <message>
        <source>All cards are shown.</source>
        <extracomment>Screen readers: Show Cards has turned every hidden card face up.</extracomment>
        <translation>Toutes les cartes sont visibles.</translation>
    </message>
    <message numerus="yes">
        <source>New game, %n by %n cards, you against the computer.</source>
        <extracomment>Screen readers: said once a new game is dealt; %n is the cards per side (6, 8, 10).</extracomment>
        <translation>
            <numerusform>Nouvelle partie, %n rangées de %n cartes, toi contre l&apos;ordinateur.</numerusform>
            <numerusform>Nouvelle partie, %n rangées de %n cartes, toi contre l&apos;ordinateur.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>New game, %n by %n cards, two players.</source>
        <extracomment>Screen readers: said once a new game of two people is dealt; %n is the cards per side (6, 8, 10).</extracomment>
        <translation>
            <numerusform>Nouvelle partie, %n rangées de %n cartes, à deux.</numerusform>
            <numerusform>Nouvelle partie, %n rangées de %n cartes, à deux.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The computer takes the pair: %n points.</source>
        <extracomment>Screen readers: the computer&apos;s two cards are a pair; %n is its new score.</extracomment>
        <translation>
            <numerusform>L&apos;ordinateur prend la paire&#xa0;: %n point.</numerusform>
            <numerusform>L&apos;ordinateur prend la paire&#xa0;: %n points.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Pair! %n points.</source>
        <extracomment>Screen readers: the player&apos;s two cards are a pair; %n is the player&apos;s new score.</extracomment>
        <translation>
            <numerusform>Une paire&#xa0;! %n point.</numerusform>
            <numerusform>Une paire&#xa0;! %n points.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 lost: %2.</source>
        <extracomment>Screen readers: said after &quot;Time over.&quot;; %1 is the points lost (&quot;5 points&quot;), %2 the score now (&quot;-5 points&quot;).</extracomment>
        <translation>%1 perdus&#xa0;: %2.</translation>
    </message>
</context>
<context>
    <name>vimbrel::Points</name>
    <message numerus="yes">
        <source>%n points</source>
        <extracomment>A number of points, inside other texts: &quot;Pair! ...&quot;, the end&apos;s scores, the points lost.</extracomment>
        <translation>
            <numerusform>%n point</numerusform>
            <numerusform>%n points</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vimbrel::QtGameView</name>
    <message>
        <source>%1: %2, %3: %4.</source>
        <extracomment>End of the game, below who won: both players&apos; points. %1 and %3 are the names shown in the side panel (&quot;You&quot;, &quot;Computer&quot; or &quot;Player 1&quot;, &quot;Player 2&quot;), %2 and %4 their points (&quot;90 points&quot;).</extracomment>
        <translation>%1&#xa0;: %2, %3&#xa0;: %4.</translation>
    </message>
</context>
<context>
    <name>vimbrel::SpeedControl</name>
    <message>
        <source>Game Speed</source>
        <extracomment>Title of the dialog with the slider that sets how fast the cards open and close.</extracomment>
        <translation>Vitesse du jeu</translation>
    </message>
    <message>
        <source>OK</source>
        <extracomment>Game Speed dialog: closes it and keeps the speed set.</extracomment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Game speed</source>
        <extracomment>Screen readers: the name of the slider in the Game Speed dialog.</extracomment>
        <translation>Vitesse du jeu</translation>
    </message>
    <message>
        <source>Fast at the left end, slow at the right end</source>
        <extracomment>Screen readers: how the Game Speed slider works.</extracomment>
        <translation>Rapide à gauche, lent à droite</translation>
    </message>
    <message>
        <source>Fast</source>
        <extracomment>Game Speed dialog: the caption under the slider&apos;s left end. Short: about 5 letters.</extracomment>
        <translation>Rapide</translation>
    </message>
    <message>
        <source>Slow</source>
        <extracomment>Game Speed dialog: the caption under the slider&apos;s right end. Short: about 6 letters.</extracomment>
        <translation>Lent</translation>
    </message>
</context>
<context>
    <name>vimbrel::StartDialog</name>
    <message>
        <source>Welcome !! Please Select --</source>
        <extracomment>Title of the dialog before each game that asks who plays and how many cards. Keep the playful &quot;!!&quot; and &quot;--&quot;.</extracomment>
        <translation>Bienvenue&#xa0;!! Fais ton choix --</translation>
    </message>
    <message>
        <source>Players Mode</source>
        <extracomment>Start dialog: the frame around the choice of who plays.</extracomment>
        <translation>Qui joue&#xa0;?</translation>
    </message>
    <message>
        <source>1P vs Computer</source>
        <extracomment>Start dialog: one person against the computer. Sits left of &quot;1P vs 2P&quot; on one line.</extracomment>
        <translation>Contre l&apos;ordinateur</translation>
    </message>
    <message>
        <source>1P vs 2P</source>
        <extracomment>Start dialog: two people taking turns at one computer.</extracomment>
        <translation>À deux</translation>
    </message>
    <message>
        <source>Board Size</source>
        <extracomment>Start dialog: the frame around the choice of the board size.</extracomment>
        <translation>Taille du plateau</translation>
    </message>
    <message>
        <source>6 x 6</source>
        <extracomment>Start dialog: a board of 6 rows of 6 cards.</extracomment>
        <translation>6 x 6</translation>
    </message>
    <message>
        <source>8 x 8</source>
        <extracomment>Start dialog: a board of 8 rows of 8 cards.</extracomment>
        <translation>8 x 8</translation>
    </message>
    <message>
        <source>10 x 10</source>
        <extracomment>Start dialog: a board of 10 rows of 10 cards.</extracomment>
        <translation>10 x 10</translation>
    </message>
    <message>
        <source>OK</source>
        <extracomment>Start dialog: the button that starts the game with the choices made.</extracomment>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>vimbrel::StatusPanel</name>
    <message>
        <source>Round :</source>
        <extracomment>Side panel, caption left of the round number; the space before the colon is the game&apos;s own style. Short: about 8 narrow letters.</extracomment>
        <translation>Tour&#xa0;:</translation>
    </message>
    <message>
        <source>Score of player 1</source>
        <extracomment>Screen readers: what the upper number in the side panel is.</extracomment>
        <translation>Points du joueur 1</translation>
    </message>
    <message>
        <source>Score of player 2</source>
        <extracomment>Screen readers: what the lower number in the side panel is.</extracomment>
        <translation>Points du joueur 2</translation>
    </message>
    <message>
        <source>Whose turn it is</source>
        <extracomment>Screen readers: what the turn text in the side panel tells.</extracomment>
        <translation>À qui de jouer</translation>
    </message>
    <message>
        <source>Round number</source>
        <extracomment>Screen readers: what the number beside &quot;Round :&quot; is.</extracomment>
        <translation>Numéro du tour</translation>
    </message>
    <message>
        <source>Round %1</source>
        <extracomment>Screen readers: the round number in the side panel, %1 is the number.</extracomment>
        <translation>Tour %1</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n points</source>
        <extracomment>Screen readers: a score in the side panel; %1 is the player&apos;s name, %n the points.</extracomment>
        <translation>
            <numerusform>%1&#xa0;: %n point</numerusform>
            <numerusform>%1&#xa0;: %n points</numerusform>
        </translation>
    </message>
</context>
</TS>
