#include "rewriter/respell.h"
#include "speech/espeak_input.h"
#include "speech/phoneme_listing.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace tellwick {
namespace {

// The words of espeak-ng's listing for text rewritten as the voice gets it, stress marks left out.
QStringList spokenWords(const char16_t* text) {
    QString error;
    const std::optional<QString> listing =
        phonemesOf(QString::fromStdU16String(respellText(text)), 1, PhonemeAlphabet::Mnemonics,
                   &error, {}, QStringLiteral("espeak-ng-en"));
    if (!listing)
        return {error};
    QString words = *listing;
    words.remove(QRegularExpression(QStringLiteral("[',]")));
    return words.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// Each sentence holds its homograph once; the reading is what espeak-ng says for it.
TEST(HomographReadings, TheIntendedReadingIsSaid) {
    // The model's misses among them are marked, so that a change that mends or breaks one is seen.
    constexpr bool missed = true;
    const struct {
        const char16_t* sentence;
        const char* reading;
        bool missed = false; // the voice says another reading
    } rows[] = {
        {u"The treaty was read aloud in the square.", "rEd"},
        {u"He had read every book in the library.", "rEd"},
        {u"The poem is widely read in schools.", "rEd"},
        {u"The letter was never read by its addressee.", "rEd"},
        {u"She later read law at Oxford.", "rEd"},
        {u"At the audition, Tobin read two scenes from the script.", "rEd"},
        {u"In his youth he read Greek at Cambridge.", "rEd"},
        {u"My grandmother never read a newspaper.", "rEd"},
        {u"Children learn to read at school.", "ri:d"},
        {u"Did you read the report?", "ri:d"},
        {u"The novel is a gripping read.", "ri:d"},
        {u"The archive is kept on read-only disks.", "ri:d"},
        {u"Visitors can read the charter in the hall.", "ri:d"},
        {u"The clerk will read the verdict.", "ri:d"},
        {u"Monks did not read the scrolls.", "ri:d"},
        {u"The gauge should read zero.", "ri:d"},
        {u"A sow may give birth to twelve piglets.", "saU"},
        {u"The old sow was sold at the market.", "saU"},
        {u"Each breeding sow has an ear tag.", "saU"},
        {u"The boar and the sow were kept apart.", "saU"},
        {u"The sow's milk is rich in fat.", "saUz"},
        {u"Farmers sow wheat in the autumn.", "soU"},
        {u"Villagers sow barley once the harvest is in.", "soU"},
        {u"A sow was kept in the yard with the pigs.", "saU"},
        {u"It is best to sow the seeds in spring.", "soU"},
        {u"The agents tried to sow discord among the allies.", "soU"},
        {u"They sow maize in May.", "soU"},
        {u"In the parable a farmer goes out to sow.", "soU"},
        {u"Lead poisoning was common among painters.", "lEd"},
        {u"The bullets were cast from molten lead.", "lEd"},
        {u"The ore contains silver and lead.", "lEd", missed},
        {u"The roof was covered with sheets of lead.", "lEd"},
        {u"A lead weight keeps the line down.", "lEd"},
        {u"The discovery would lead to a cure.", "li:d"},
        {u"She played the lead in the film.", "li:d"},
        {u"The lead singer left the band.", "li:d"},
        {u"He was chosen to lead the expedition.", "li:d"},
        {u"The team took the lead in the second half.", "li:d"},
        {u"The insects are minute.", "maInju:t"},
        {u"Only minute amounts occur in nature.", "maInju:t"},
        {u"The spores are so minute that nobody saw them.", "maInju:t", missed},
        {u"The painter recorded every minute detail.", "maInju:t", missed},
        {u"The device detects minute changes in pressure.", "maInju:t", missed},
        {u"The heart beats seventy times a minute.", "mInIt"},
        {u"A minute of silence was held.", "mInIt"},
        {u"The goal came in the final minute.", "mInIt"},
        {u"The engine turns at three thousand revolutions per minute.", "mInIt"},
        {u"The minute hand was added later.", "mInIt"},
        {u"The river wound its way to the sea.", "waUnd", missed},
        {u"The company was wound up in 1932.", "waUnd"},
        {u"The copper wire is wound around a core.", "waUnd"},
        {u"The springs were wound tightly.", "waUnd"},
        {u"Fine thread was wound on a wooden spindle.", "waUnd"},
        {u"She wound the clock before bed.", "waUnd"},
        {u"The vine had wound itself around the pillar.", "waUnd"},
        {u"He died of a wound received in battle.", "wu:nd"},
        {u"The wound became infected.", "wu:nd"},
        {u"The soldier suffered a gunshot wound to the chest.", "wu:nd"},
        {u"The surgeon cleaned the wound with care.", "wu:nd"},
        {u"Honey was applied to the wound.", "wu:nd"},
        {u"He was a learned man.", "l3:nI2d"},
        {u"The paper appeared in a learned journal.", "l3:nI2d"},
        {u"She belonged to several learned societies.", "l3:nI2d", missed},
        {u"The learned judge dismissed the appeal.", "l3:nI2d"},
        {u"The abbot was most learned in law.", "l3:nI2d", missed},
        {u"He learned to play the violin.", "l3:nd"},
        {u"She learned Russian in Moscow.", "l3:nd"},
        {u"The king learned of the plot.", "l3:nd"},
        {u"The lessons learned in the war were many.", "l3:nd"},
        {u"The boy learned quickly.", "l3:nd"},
        {u"He sent his resume to several firms.", "rEz@meI"},
        {u"A resume should be short.", "rEz@meI"},
        {u"The candidate's resume was false.", "rEz@meI"},
        {u"She updated her resume.", "rEz@meI"},
        {u"The resume lists forty films.", "rEz@meI"},
        {u"Work did not resume until 1842.", "rI2zju:m"},
        {u"The talks were expected to resume in spring.", "rI2zju:m"},
        {u"Fighting would resume later.", "rI2zju:m"},
        {u"Regular services resume after the holiday.", "rI2zju:m"},
        {u"Play could not resume.", "rI2zju:m"},
        {u"They let her resume her duties.", "rI2zju:m"},
        {u"He set a world record in 1968.", "rEk3d"},
        {u"The album came out on a small record label.", "rEk3d"},
        {u"The record of his birth is lost.", "rEk3d"},
        {u"The fossil record is sparse.", "rEk3d"},
        {u"The record sold poorly.", "rEk3d"},
        {u"The band went to London to record songs.", "rI2ko@d"},
        {u"Historians record that the city fell.", "rI2ko@d"},
        {u"The camera can record video.", "rI2ko@d"},
        {u"Monks would record events in annals.", "rI2ko@d"},
        {u"They record their observations.", "rI2ko@d"},
        {u"The project was abandoned.", "pr0dZEkt"},
        {u"He led a research project on the region.", "pr0dZEkt"},
        {u"The project cost twice the estimate.", "pr0dZEkt"},
        {u"Each student completes a final project.", "pr0dZEkt"},
        {u"The dam project displaced villagers.", "pr0dZEkt"},
        {u"The research project that followed failed.", "pr0dZEkt"},
        {u"The balcony was built to project over the street.", "pr@dZEkt"},
        {u"Economists project that prices will rise.", "pr@dZEkt"},
        {u"The rocks project beyond the cliff face.", "pr@dZEkt", missed},
        {u"Lighthouses project a beam across the sea.", "pr@dZEkt"},
        {u"Rulers used monuments to project power.", "pr@dZEkt"},
        {u"The city's project was abandoned.", "pr0dZEkt"},
        {u"The aggregate score decided the final.", "agr@g@t"},
        {u"The software can aggregate the survey results.", "agrI2geIt"},
        {u"She is a tireless advocate for the homeless.", "adv@k@t"},
        {u"Many doctors advocate a change of diet.", "adv@keIt"},
        {u"Each country sent a delegate to the summit.", "dEl@g@t"},
        {u"Good managers delegate routine work.", "dElI2geIt", missed},
        {u"They delegate routine work to clerks.", "dElI2geIt"},
        {u"They attribute the loss to bad luck.", "@trIbju:t"},
        {u"We suspect a leak in the roof.", "s@spEkt"},
        {u"The compact car is easy to park.", "kA:mpakt"},
        {u"Rollers compact the soil before paving.", "k@mpakt"},
        {u"After his discharge from the army he farmed.", "dIstSA:rdZ"},
        {u"The hospital will discharge her tomorrow.", "dI2stSA@dZ"},
        {u"A single tear ran down her cheek.", "ti:r"},
        {u"She was wiping a tear from her eye.", "ti:r"},
        {u"The cloth is tear resistant.", "te@"},
        {u"The ship's bow was damaged in the storm.", "baU"},
        {u"The actors took a deep bow.", "baU"},
        {u"He drew the bow across the violin strings.", "boU"},
        {u"She studied history at the University of Reading.", "rEd@N"},
        {u"Flint axes were found beside the stone tools.", "aksI2z"},
        {u"The crystal has three axes of symmetry.", "aksi:z"},
        {u"Be careful not to tear the page.", "te@"},
        {u"The wind blew hard all night.", "wInd"},
        {u"Remember to wind the clock.", "waInd"},
        {u"Most of the people live in cities.", "lIv"},
        {u"Koalas live in forests.", "lIv"},
        {u"He continued to live in the house.", "lIv"},
        {u"The monks live by a strict rule.", "lIv"},
        {u"The couple went to live in Paris.", "lIv"},
        {u"The band played a live concert.", "laIv"},
        {u"The concert was broadcast live on television.", "laIv"},
        {u"A live wire fell onto the road.", "laIv"},
        {u"The station plays live music.", "laIv"},
        {u"The group released a live album.", "laIv"},
        // Respelled by the rewriter, and said as it respelled them, where the voice would have
        // decided the other reading.
        {u"This is a project the council approved.", "pr@dZEkt"},
        {u"He wanted the record the team had set.", "rI2ko@d"},
        {u"Send his resume when you can.", "rI2zju:m"},
    };
    for (const auto& row : rows) {
        const QStringList words = spokenWords(row.sentence);
        EXPECT_NE(words.contains(QLatin1String(row.reading)), row.missed)
            << QString::fromUtf16(row.sentence).toStdString() << " -> "
            << words.join(u' ').toStdString();
    }
}

// flite's US English listing says the reading decided wherever the word stands: at a sentence's
// start, with a possessive, beside punctuation, or joined to another word.
TEST(HomographReadings, FliteSaysTheReadingDecided) {
    const struct {
        const char16_t* sentence;
        const char* word; // in the IPA as `say --ipa` prints it for flite
    } rows[] = {
        {u"Read the label before you start.", "ˈɹiːd"},
        {u"She had read the letter twice.", "ˈɹɛd"},
        {u"Lead pipes were replaced in 1990.", "ˈlɛd"},
        {u"They will lead the parade.", "ˈliːd"},
        {u"The wind was cold.", "ˈwɪnd"},
        {u"You must wind the clock each week.", "ˈwaɪnd"},
        {u"The nurse dressed the wound.", "ˈwuːnd"},
        {u"He wound the cable onto a drum.", "ˈwaʊnd"},
        {u"He caught a bass in the lake.", "ˈbæs"},
        {u"The sow's piglets slept.", "ˈsaʊz"},
        {u"Farmers sow oats in April.", "ˈsoʊ"},
        {u"She parked her moped/scooter outside.", "ˈmoʊpɛd"},
        {u"They record at night.", "ɹɪˈkɔɹd"},
        {u"The \"project\" failed.", "ˈpɹɑdʒɛkt"},
        {u"Please project the slides.", "pɹəˈdʒɛkt"},
    };
    for (const auto& row : rows) {
        QString error;
        const std::optional<QString> listing =
            phonemesOf(QString::fromStdU16String(respellText(row.sentence)), 1,
                       PhonemeAlphabet::Ipa, &error, {}, QStringLiteral("flite-rms"));
        ASSERT_TRUE(listing) << error.toStdString();
        EXPECT_TRUE(listing->split(QRegularExpression(QStringLiteral("\\s+")))
                        .contains(QString::fromUtf8(row.word)))
            << QString::fromUtf16(row.sentence).toStdString() << " -> "
            << listing->simplified().toStdString();
    }
}

// A homograph at either edge of a piece of the text is decided from the words beyond the edge.
TEST(HomographReadings, APieceOfTheTextSeesTheWordsAroundIt) {
    const struct {
        const char16_t* text;
        qsizetype from;
        qsizetype to;
        const char16_t* expected;
    } rows[] = {
        {u"historians record the", 10, 17, u"  [[rI2k'o@d]]"},
        {u"had read it", 3, 8, u"  [['rEd]]"},
        {u"to read it", 2, 7, u"  [[r'i:d]]"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(espeakInput(QString::fromUtf16(row.text), row.from, row.to),
                  QString::fromUtf16(row.expected))
            << QString::fromUtf16(row.text).toStdString();
    }
}

} // namespace
} // namespace tellwick
